#!/usr/bin/env bash
# tests/docs/receipt_preview_drift.sh BUILD SOURCE
#
# The receipt preview in the README, docs/receipt-preview.png, must be what
# its command draws: the bundled example converted, then `vexofont preview
# demo.out --file receipt.txt --png`. Fails, naming the command that redraws
# it, when the two differ.
set -eu
build=$1
source=$2
scratch=$(mktemp -d /tmp/vexocnvt-receipt-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cp "$source"/examples/*.fnt "$source"/examples/demo.cfg \
   "$source"/examples/receipt.txt "$scratch/"
(cd "$scratch" && "$build/vexocnvt" demo.cfg >/dev/null)
"$build/vexofont/vexofont" preview "$scratch/demo.out" \
  --file "$scratch/receipt.txt" --png "$scratch/receipt.png"
if ! cmp -s "$scratch/receipt.png" "$source/docs/receipt-preview.png"; then
  echo "docs/receipt-preview.png is not what the example draws; redraw it with:" >&2
  echo "  (cd examples && ../build/vexocnvt demo.cfg) &&" \
       "build/vexofont/vexofont preview examples/demo.out" \
       "--file examples/receipt.txt --png docs/receipt-preview.png" >&2
  exit 1
fi
echo "docs/receipt-preview.png is what the example draws"
