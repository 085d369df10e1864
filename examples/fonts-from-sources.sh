#!/usr/bin/env bash
# Rebuilds the four example input fonts of this folder with `vexofont make`
# from freely licensed fonts that Debian packages:
#
#   sbcs_thermal_12x24.fnt  DejaVu Sans Mono (package fonts-dejavu-core,
#                           DejaVuSansMono.ttf), an outline font rendered
#                           monochrome into 12x24 cells; code page 932's
#                           single-byte half (JIS X 0201: the yen sign at
#                           0x5c, the overline at 0x7e), codes 0x20 to
#                           0xff, the half-width katakana DejaVu lacks from
#                           the X11 font 12x24rk (xfonts-base,
#                           12x24rk.pcf.gz),
#                           with the hand-drawn coffee cup of
#                           logo_12x24.txt (a glyph text) laid over codes
#                           0xfe and 0xff, which the code page leaves free.
#   sbcs_impact_8x9.fnt     X11 misc-fixed 6x9 (package xfonts-base,
#                           6x9.pcf.gz), a bitmap font centred on 8x9 cells;
#                           code page 932's single-byte half, codes 0x20
#                           to 0xfa (6x9 has no katakana: 0xa1 to 0xdf
#                           stay blank).
#   dbcs_thermal_24x24.fnt  the 24-dot JIS X 0208 font jiskan24 (package
#                           xfonts-base, jiskan24.pcf.gz); code page 932,
#                           codes 0x8140 to 0x83fc (symbols, digits, Latin,
#                           hiragana, katakana, Greek).
#   dbcs_impact_16x16.fnt   the 16-dot JIS X 0208 font jiskan16 (package
#                           xfonts-base, jiskan16.pcf.gz); code page 932,
#                           codes 0x8140 to 0x83d0.
#
# The impact fonts stop a few characters short of the thermal ones, so that
# the converter's station reports for demo.cfg have characters to list.
#
# Usage, from the top of the source tree, after building vexofont:
#   cmake -S . -B build && cmake --build build --target vexofont
#   examples/fonts-from-sources.sh [BUILD_FOLDER]     (default: build)
#
# Missing source fonts are installed with apt-get (as root): xfonts-base
# and fonts-dejavu-core, nothing else. The fonts are then converted with:
#   cd examples && ../build/vexocnvt demo.cfg
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
tool="$build/vexofont/vexofont"
misc=/usr/share/fonts/X11/misc
dejavu=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf

packages=()
for font in 6x9.pcf.gz 12x24rk.pcf.gz jiskan16.pcf.gz jiskan24.pcf.gz; do
  if [ ! -f "$misc/$font" ]; then
    packages=(xfonts-base)
  fi
done
if [ ! -f "$dejavu" ]; then
  packages+=(fonts-dejavu-core)
fi
if [ ${#packages[@]} -gt 0 ]; then
  echo "installing ${packages[*]}"
  apt-get update
  apt-get install -y --no-install-recommends "${packages[@]}"
fi

if [ ! -x "$tool" ]; then
  echo "no vexofont at '$tool': build it first" \
       "(cmake --build BUILD_FOLDER --target vexofont)" >&2
  exit 1
fi

"$tool" make --kind sbcs --station thermal --size 12x24 --code-page 932 \
  --first 0x20 --last 0xff --overlay "$here/logo_12x24.txt" \
  --fallback "$misc/12x24rk.pcf.gz" "$dejavu" "$here/sbcs_thermal_12x24.fnt"
"$tool" make --kind sbcs --station impact --size 8x9 --code-page 932 \
  --first 0x20 --last 0xfa \
  "$misc/6x9.pcf.gz" "$here/sbcs_impact_8x9.fnt"
"$tool" make --kind dbcs --station thermal --size 24x24 --code-page 932 \
  --first 0x8140 --last 0x83fc \
  "$misc/jiskan24.pcf.gz" "$here/dbcs_thermal_24x24.fnt"
"$tool" make --kind dbcs --station impact --size 16x16 --code-page 932 \
  --first 0x8140 --last 0x83d0 \
  "$misc/jiskan16.pcf.gz" "$here/dbcs_impact_16x16.fnt"
