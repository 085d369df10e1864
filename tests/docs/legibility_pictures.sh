#!/usr/bin/env bash
# tests/docs/legibility_pictures.sh BUILD SOURCE
#
# The "after" and bitmap-font pictures of docs/legibility/ must be what
# this build draws: redrawn with bench/legibility/measure.py --pictures-only
# and compared byte for byte. Skips (status 77) when a font it draws from
# is not installed.
set -eu
build=$1
source=$2
for font in /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc \
            /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf \
            /usr/share/fonts/truetype/nanum/NanumGothic.ttf \
            /usr/share/fonts/truetype/arphic/uming.ttc \
            /usr/share/fonts/X11/misc/gb24st.pcf.gz \
            /usr/share/fonts/X11/misc/taipei24.pcf.gz; do
  if [ ! -f "$font" ]; then
    echo "skipped: $font is not installed"
    exit 77
  fi
done
scratch=$(mktemp -d /tmp/vexocnvt-legibility-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
python3 "$source/bench/legibility/measure.py" "$build/vexofont/vexofont" \
  --variant after --bitmaps --png "$scratch" --pictures-only >/dev/null
status=0
for picture in "$scratch"/*.png; do
  name=$(basename "$picture")
  if ! cmp -s "$picture" "$source/docs/legibility/$name"; then
    echo "docs/legibility/$name is not what this build draws; redraw with:" >&2
    echo "  python3 bench/legibility/measure.py build/vexofont/vexofont" \
         "--variant after --bitmaps --png docs/legibility --pictures-only" >&2
    status=1
  fi
done
exit $status
