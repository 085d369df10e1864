#!/usr/bin/env bash
# tests/docs/legibility_pictures.sh BUILD SOURCE
#
# The "after" and bitmap-font pictures of docs/legibility/ must be what
# this build draws: redrawn with bench/legibility/measure.py and
# measure_sbcs.py --pictures-only and compared byte for byte. Skips (status
# 77) when a font it draws from is not installed.
set -eu
build=$1
source=$2
for font in /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc \
            /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf \
            /usr/share/fonts/truetype/nanum/NanumGothic.ttf \
            /usr/share/fonts/truetype/arphic/uming.ttc \
            /usr/share/fonts/X11/misc/gb24st.pcf.gz \
            /usr/share/fonts/X11/misc/taipei24.pcf.gz \
            /usr/share/fonts/truetype/wqy/wqy-microhei.ttc \
            /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf \
            /usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf \
            /usr/share/fonts/truetype/freefont/FreeMono.ttf \
            /usr/share/fonts/X11/misc/6x9.pcf.gz; do
  if [ ! -f "$font" ]; then
    echo "skipped: $font is not installed"
    exit 77
  fi
done
scratch=$(mktemp -d /tmp/vexocnvt-legibility-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
python3 "$source/bench/legibility/measure.py" "$build/vexofont/vexofont" \
  --variant after --bitmaps --png "$scratch" --pictures-only >/dev/null
# SBCS: the first English line at every size, the first French one at
# 8x9 and 8x10, the first Russian one at 8x12, and the Latin of CJK fonts.
sbcs="$source/bench/legibility/measure_sbcs.py"
python3 "$sbcs" "$build/vexofont/vexofont" --only en --png "$scratch" \
  --pictures-only >/dev/null
python3 "$sbcs" "$build/vexofont/vexofont" --only fr --sizes 8x9,8x10 \
  --png "$scratch" --pictures-only >/dev/null
python3 "$sbcs" "$build/vexofont/vexofont" --only ru --sizes 8x12 \
  --fonts liberation,anchor --png "$scratch" --pictures-only >/dev/null
python3 "$sbcs" "$build/vexofont/vexofont" --only en --sizes 12x24 \
  --fonts zenhei,microhei,uming,nanum,ipagothic --png "$scratch" \
  --pictures-only >/dev/null
status=0
for picture in "$scratch"/*.png; do
  name=$(basename "$picture")
  if ! cmp -s "$picture" "$source/docs/legibility/$name"; then
    echo "docs/legibility/$name is not what this build draws; redraw with" \
         "the commands in docs/legibility/README.md (Pictures)" >&2
    status=1
  fi
done
exit $status
