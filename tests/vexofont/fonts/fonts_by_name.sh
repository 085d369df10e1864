#!/usr/bin/env bash
# tests/vexofont/fonts/fonts_by_name.sh BUILD
#
# Fonts by name through a private fontconfig configuration (a folder of
# the test fonts, FONTCONFIG_FILE), so that the answers do not depend on
# the machine's fonts: `vexofont fonts` lists what the folder holds, best
# first for a code page and a text, as text and JSON; `make` takes a
# family name, a pattern with a style and a file's name alone, and makes
# the bytes the file's path makes; a name that matches nothing, or only
# by fontconfig's fallback, is refused naming what it would give. Skips
# (status 77) without the fonts or without fontconfig in the build.
set -eu
build=$1
tool="$build/vexofont/vexofont"
zenhei=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
dejavu=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
bold=/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
for font in "$zenhei" "$dejavu" "$bold"; do
  if [ ! -f "$font" ]; then
    echo "skipped: $font missing (Debian packages fonts-wqy-zenhei, fonts-dejavu-core)"
    exit 77
  fi
done
scratch=$(mktemp -d /tmp/vexocnvt-fonts-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/fonts" "$scratch/cache"
cp "$zenhei" "$dejavu" "$bold" "$scratch/fonts/"
cat >"$scratch/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$scratch/fonts</dir>
  <cachedir>$scratch/cache</cachedir>
</fontconfig>
CONF
export FONTCONFIG_FILE="$scratch/fonts.conf"
export HOME="$scratch"  # no user's fonts or configuration
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

set +e
"$tool" fonts >"$scratch/all.txt" 2>"$scratch/err.txt"
listed=$?
set -e
if [ $listed = 2 ]; then
  echo "skipped: vexofont is built without fontconfig (Debian package libfontconfig-dev)"
  exit 77
fi
[ $listed = 0 ] || fail "fonts: status $listed: $(cat "$scratch/err.txt")"
# The folder's five faces: Zen Hei's three, DejaVu Sans Mono's two.
[ "$(tail -n +2 "$scratch/all.txt" | wc -l)" = 5 ] || fail "fonts lists: $(cat "$scratch/all.txt")"
head -1 "$scratch/all.txt" | grep -q '^family  *style  *sizes  *file$' ||
  fail "fonts heading: $(head -1 "$scratch/all.txt")"

# 936: the Chinese faces first, each with its share; the Latin font after.
"$tool" fonts --code-page 936 >"$scratch/936.txt"
sed -n 2p "$scratch/936.txt" | grep -q "^99\.9%  *WenQuanYi Zen Hei  *Regular  *outline  *$scratch/fonts/wqy-zenhei.ttc, face 0$" ||
  fail "936's first: $(sed -n 2p "$scratch/936.txt")"
tail -1 "$scratch/936.txt" | grep -q 'DejaVu Sans Mono' || fail "936's last: $(tail -1 "$scratch/936.txt")"
# A text orders the list: the Latin fonts draw all of "Total", Zen Hei too.
"$tool" fonts --code-page 437 --text 'Total ½' --json >"$scratch/437.json"
python3 - "$scratch/437.json" <<'PY' || fail "fonts --json: $(cat "$scratch/437.json")"
import json, sys
faces = json.load(open(sys.argv[1]))
assert len(faces) == 5, faces
assert faces[0]["family"] == "DejaVu Sans Mono" and faces[0]["textShare"] == 1.0, faces[0]
assert all(0 < f["codePageShare"] <= 1 for f in faces), faces
assert {f["face"] for f in faces if f["family"].startswith("WenQuanYi")} == {0, 1, 2}
PY
"$tool" fonts --size 24x24 --code-page 949 >/dev/null 2>"$scratch/err.txt" || fail "fonts 949"

# make takes the family, a style and the file's name, as the path's bytes.
made() { "$tool" make --kind "$1" --station thermal --size "$2" --code-page "$3" \
           --text '合計 Total' "$4" "$scratch/$5" >"$scratch/$5.txt" 2>&1; }
made dbcs 24x24 936 "$scratch/fonts/wqy-zenhei.ttc" path.fnt
made dbcs 24x24 936 "WenQuanYi Zen Hei" name.fnt || fail "by name: $(cat "$scratch/name.fnt.txt")"
cmp -s "$scratch/path.fnt" "$scratch/name.fnt" || fail "by name: other bytes than by path"
grep -q "from '$scratch/fonts/wqy-zenhei.ttc', face 0 (WenQuanYi Zen Hei Regular)" \
  "$scratch/name.fnt.txt" || fail "summary: $(cat "$scratch/name.fnt.txt")"
made dbcs 24x24 936 wqy-zenhei.ttc file.fnt || fail "by file name: $(cat "$scratch/file.fnt.txt")"
cmp -s "$scratch/path.fnt" "$scratch/file.fnt" || fail "by file name: other bytes"
made sbcs 12x24 437 "$scratch/fonts/DejaVuSansMono-Bold.ttf" bpath.fnt
made sbcs 12x24 437 "DejaVu Sans Mono:style=Bold" bname.fnt || fail "style: $(cat "$scratch/bname.fnt.txt")"
cmp -s "$scratch/bpath.fnt" "$scratch/bname.fnt" || fail "by style: other bytes than by path"

# Names that stand for no font here.
set +e
made sbcs 12x24 437 "Liberation Mono" sub.fnt; s1=$?
made sbcs 12x24 437 "nothing.ttf" none.fnt; s2=$?
set -e
[ $s1 = 2 ] && grep -q "^vexofont make: font 'Liberation Mono' is neither a file nor an installed font; fontconfig would give .* instead (vexofont fonts lists the fonts installed)$" \
  "$scratch/sub.fnt.txt" || fail "substituted ($s1): $(cat "$scratch/sub.fnt.txt")"
[ $s2 = 2 ] && [ "$(cat "$scratch/none.fnt.txt")" = "vexofont make: font 'nothing.ttf' is neither a file nor an installed font (vexofont fonts lists the fonts installed)" ] ||
  fail "not found ($s2): $(cat "$scratch/none.fnt.txt")"
[ ! -e "$scratch/sub.fnt" ] && [ ! -e "$scratch/none.fnt" ] || fail "a refused name wrote a file"
exit $status
