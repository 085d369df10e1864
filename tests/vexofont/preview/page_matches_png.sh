#!/usr/bin/env bash
# tests/vexofont/preview/page_matches_png.sh BUILD SOURCE
#
# The page `vexofont preview --html` writes draws, in a real browser, what
# `--png` draws, pixel for pixel: the bundled example converted, previewed
# with receipts that mark missing characters too, both layouts; the page
# opened in headless Chromium, its screenshot's corner compared with the
# PNG; the picture starts no further than 200 rows down, under the text box
# and status line, which are in sight in any window. Skips (status 77) when
# Chromium is not installed.
set -eu
build=$1
source=$2
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "skipped: no chromium (Debian package chromium)"
  exit 77
fi
scratch=$(mktemp -d /tmp/vexocnvt-page-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cp "$source"/examples/*.fnt "$source"/examples/demo.cfg \
   "$source"/examples/receipt.txt "$scratch/"
(cd "$scratch" && "$build/vexocnvt" demo.cfg >/dev/null)
tool="$build/vexofont/vexofont"
status=0
check() {
  local name=$1
  shift
  "$tool" preview "$scratch/demo.out" "$@" --png "$scratch/$name.png" \
    --html "$scratch/$name.html" 2>/dev/null || [ $? = 5 ]
  local size
  size=$(python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(); \
print('%d,%d' % struct.unpack('>II', d[16:24]))" "$scratch/$name.png")
  local width=${size%,*} height=${size#*,}
  # Room above the picture for the page's text box and status line, which
  # come first so that they are in sight whatever the picture's height.
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu \
    --hide-scrollbars --force-device-scale-factor=1 \
    --window-size="$width,$((height + 200))" \
    --screenshot="$scratch/$name-shot.png" "file://$scratch/$name.html" \
    >/dev/null 2>&1
  if ! python3 "$source/tests/vexofont/preview/compare_png.py" \
      "$scratch/$name-shot.png" "$scratch/$name.png"; then
    echo "$name: the page does not draw what the PNG holds" >&2
    status=1
  fi
}
check receipt --file "$scratch/receipt.txt"
check marks --text $'Total \xc2\xa51,200\n\xe5\x90\x88\xe8\xa8\x88 \xe2\x82\xac' \
  --side-by-side
# Dots of other shapes: both stations' pictures in the proportions of
# their pitch (the impact station's default is already not square).
check narrow --file "$scratch/receipt.txt" --thermal-width 200 \
  --impact-width 120 --spacing 0,2 --thermal-pitch 0.085 --impact-pitch 0.25x0.4
# Text as shops type it: a tab, a control character, the JIS wave dash;
# lines without a gap, tab stops every 4.
check typed --text $'\xef\xbb\xbfA\tB\x07 11:00\xe3\x80\x9c22:00\n\tA' \
  --line-gap 0 --tab 4
# Bytes as an application sends them: the UTF-8 receipt to a printer set to
# 932, and Shift-JIS with a control byte and a lead byte cut short.
check utf8bytes --bytes "$scratch/receipt.txt"
printf 'A\x07\x83\x41\x83\x43\tB\r\n\x5c100\x81' >"$scratch/sjis.bin"
check sjisbytes --bytes "$scratch/sjis.bin"
check cut --file "$scratch/receipt.txt" --thermal-width 200 \
  --impact-width 120 --no-wrap
# The status line counts characters, not the stations that mark them: € is
# in no code page of the file and marked at both.
"$tool" preview "$scratch/demo.out" --text $'A\xe2\x82\xac' --html "$scratch/count.html" \
  2>/dev/null || [ $? = 5 ]
said=$(timeout 120 "$browser" --headless --no-sandbox --disable-gpu --dump-dom \
  "file://$scratch/count.html" 2>/dev/null | grep -o '<div id="s">[^<]*' || true)
if [ "$said" != '<div id="s">code page 932: 2 characters, 1 character drawn as the mark' ]; then
  echo "the status line says '$said'" >&2
  status=1
fi
exit $status
