#!/usr/bin/env bash
# tests/docs/example_passes_check.sh BUILD SOURCE
#
# The bundled example is what a shop should copy: `vexofont check` finds
# nothing in examples/demo.cfg (status 0), run where the README runs it.
set -eu
build=$1
source=$2
scratch=$(mktemp -d /tmp/vexocnvt-check-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cp "$source"/examples/*.fnt "$source"/examples/demo.cfg "$scratch/"
status=0
(cd "$scratch" && "$build/vexofont/vexofont" check demo.cfg) || status=$?
if [ "$status" != 0 ]; then
  echo "vexofont check examples/demo.cfg ended with status $status" >&2
  exit 1
fi
