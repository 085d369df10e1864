#!/usr/bin/env bash
# tests/windows/fonts_by_name.sh VEXOFONT_EXE
#
# vexofont.exe under wine finds fonts by name in the Fonts folder: a font
# put in the prefix's Fonts folder is listed by `fonts` with its share of
# a code page, and `make` takes its family name and makes the bytes its
# path makes.
set -eu
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
root=$(cd "$(dirname "$0")/../.." && pwd)
dejavu=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
if [ ! -f "$dejavu" ]; then
  echo "skipped: $dejavu missing (Debian package fonts-dejavu-core)"
  exit 0
fi
fonts=${WINEPREFIX:-$HOME/.wine}/drive_c/windows/Fonts
if [ ! -d "$fonts" ]; then
  bash "$root/cmake/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
fi
mkdir -p "$fonts"
scratch=$(mktemp -d /tmp/vexocnvt-winfonts-XXXXXX)
installed="$fonts/vexotest-mono.ttf"
trap 'rm -rf "$scratch"; rm -f "$installed"' EXIT
cp "$dejavu" "$installed"
cd "$scratch"
run() { bash "$root/cmake/wine-run.sh" "$exe" "$@"; }
run fonts --code-page 437 >list.txt 2>err.txt || { cat err.txt; exit 1; }
tr -d '\r' <list.txt >list-lf.txt
if ! grep -qi "^100\.0%  *DejaVu Sans Mono  *Book  *outline  *.*vexotest-mono\.ttf$" list-lf.txt; then
  echo "fonts does not list the installed font:" >&2
  cat list-lf.txt >&2
  exit 1
fi
make_font() {
  run make --kind sbcs --station thermal --size 12x24 --code-page 437 "$1" "$2" >"$2.txt" 2>&1
}
make_font 'C:\windows\Fonts\vexotest-mono.ttf' path.fnt
make_font 'DejaVu Sans Mono' name.fnt || { cat name.fnt.txt; exit 1; }
cmp path.fnt name.fnt
grep -qi "from '.*vexotest-mono.ttf'" name.fnt.txt || { cat name.fnt.txt; exit 1; }
echo "fonts by name under wine: listed and made"
