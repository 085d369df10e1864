#!/usr/bin/env bash
# tests/docs/example_sheet_drift.sh BUILD SOURCE
#
# The contact sheet in the README, docs/example-sheet.png, must be what its
# command draws: the bundled example converted, then
# `vexofont show demo.out --png`. Fails, naming the command that redraws it,
# when the two differ.
set -eu
build=$1
source=$2
scratch=$(mktemp -d /tmp/vexocnvt-sheet-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cp "$source"/examples/*.fnt "$source"/examples/demo.cfg "$scratch/"
(cd "$scratch" && "$build/vexocnvt" demo.cfg >/dev/null)
"$build/vexofont/vexofont" show "$scratch/demo.out" --png "$scratch/sheet.png" >/dev/null
if ! cmp -s "$scratch/sheet.png" "$source/docs/example-sheet.png"; then
  echo "docs/example-sheet.png is not what the example draws; redraw it with:" >&2
  echo "  (cd examples && ../build/vexocnvt demo.cfg) &&" \
       "build/vexofont/vexofont show examples/demo.out --png docs/example-sheet.png" >&2
  exit 1
fi
echo "docs/example-sheet.png is what the example draws"
