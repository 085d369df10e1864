#!/usr/bin/env bash
# tests/windows/compare_vexofont.sh LINUX_BUILD WINDOWS_BUILD [SOURCE]
#
# vexofont.exe under wine against the Linux vexofont: `make` from the same
# BDF, PCF and TrueType sources with the same options gives byte-identical
# files (the SBCS code pages and the four DBCS ones, bitmap fonts in their
# own charsets, outlines); `show --png` identical PNG files; `dump`
# identical texts once CR LF is read as LF; every command with files in a
# folder named in Japanese and a --text in Chinese, the command line read as
# UTF-16 on Windows (wine passes it from UTF-8). Fonts that are not installed
# are left out, said on standard output. Prints a line a difference and
# "N same, N different"; exits non-zero on any difference.
set -u
export LC_ALL=C.UTF-8
linux=$(cd "$1" && pwd)/vexofont/vexofont
windows="bash $(cd "$(dirname "$0")/../.." && pwd)/cmake/wine-run.sh $(cd "$2" && pwd)/vexofont/vexofont.exe"
source=$(cd "${3:-$(dirname "$0")/../..}" && pwd)
scratch=$(mktemp -d /tmp/vexocnvt-compare-tools-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
same=0
different=0
misc=/usr/share/fonts/X11/misc
dejavu=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf

# The sources, copied beside the outputs: wine reads them by relative name.
compare_make() {
  local font=$1
  shift
  if [ ! -f "$font" ]; then
    echo "left out: $font is not installed"
    return
  fi
  local base
  base=$(basename "$font")
  cp "$font" "$base"
  $linux make "$@" "$base" linux.fnt >linux.out 2>linux.err
  $windows make "$@" "$base" windows.fnt >windows.out 2>windows.err
  if cmp -s linux.fnt windows.fnt; then
    same=$((same + 1))
  else
    different=$((different + 1))
    echo "DIFFERS: make $* $base"
  fi
}

for page in 437 850 852 858 866 1250 1251 1252 1253 1254 1255 1256 1257 1258 \
            8859-1 8859-2 8859-5 8859-7 8859-9 8859-15; do
  compare_make "$dejavu" --kind sbcs --station thermal --size 12x24 --code-page "$page"
done
for page in 932 936 949 950; do
  compare_make "$dejavu" --kind sbcs --station impact --size 8x16 --code-page "$page"
done
compare_make "$misc/12x24rk.pcf.gz" --kind sbcs --station thermal --size 12x24 --code-page 932
compare_make "$misc/jiskan16.pcf.gz" --kind dbcs --station impact --size 16x16 --code-page 932
compare_make "$misc/jiskan24.pcf.gz" --kind dbcs --station thermal --size 24x24 --code-page 932
compare_make "$misc/gb16st.pcf.gz" --kind dbcs --station impact --size 16x9 --code-page 936
compare_make "$misc/gb24st.pcf.gz" --kind dbcs --station thermal --size 24x24 --code-page 936
compare_make "$misc/hanglm24.pcf.gz" --kind dbcs --station thermal --size 24x24 --code-page 949
compare_make "$misc/taipei24.pcf.gz" --kind dbcs --station thermal --size 24x24 --code-page 950
# Characters from files.
printf '宫保鸡丁鱼香肉丝合计金额' >zh.txt
printf '合計金額お預かり' >ja.txt
compare_make /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc --kind dbcs --station thermal \
  --size 24x24 --code-page 936 --chars zh.txt
compare_make /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf --kind dbcs --station impact \
  --size 16x16 --code-page 932 --chars ja.txt

# show --png and dump of the bundled example.
cp "$source"/examples/*.fnt .
for font in *.fnt; do
  $linux show "$font" --png "linux-$font.png" >/dev/null 2>&1
  $windows show "$font" --png "windows-$font.png" >/dev/null 2>&1
  if cmp -s "linux-$font.png" "windows-$font.png"; then
    same=$((same + 1))
  else
    different=$((different + 1))
    echo "DIFFERS: show $font --png"
  fi
  $linux dump "$font" -o "linux-$font.txt"
  $windows dump "$font" -o "windows-$font.txt"
  if tr -d '\r' <"windows-$font.txt" | cmp -s - "linux-$font.txt"; then
    same=$((same + 1))
  else
    different=$((different + 1))
    echo "DIFFERS: dump $font"
  fi
done
# Names and texts beyond ASCII, for every command.
compare_file() {  # what, linux file, windows file
  if cmp -s "$2" "$3"; then
    same=$((same + 1))
  else
    different=$((different + 1))
    echo "DIFFERS: $1"
  fi
}
if [ -f "$dejavu" ]; then
  for side in linux windows; do
    mkdir -p "$side/フォント"
    cp "$dejavu" "$side/フォント/等幅.ttf"
  done
  run_both() {  # the command's arguments, with @ for the side's folder
    local side program
    for side in linux windows; do
      program=$linux
      [ "$side" = windows ] && program=$windows
      (cd "$side" && $program "$@" >"out.txt" 2>"err.txt"; echo "$?" >status.txt)
    done
    compare_file "status of $*" linux/status.txt windows/status.txt
  }
  run_both make --kind sbcs --station thermal --size 12x24 --code-page 437 \
    "フォント/等幅.ttf" "フォント/小.fnt"
  compare_file "make to a Japanese folder" "linux/フォント/小.fnt" "windows/フォント/小.fnt"
  run_both make --kind dbcs --station thermal --size 24x24 --code-page 936 \
    --text "宫保鸡丁" "フォント/等幅.ttf" "フォント/大.fnt"
  compare_file "make --text in Chinese" "linux/フォント/大.fnt" "windows/フォント/大.fnt"
  run_both show "フォント/小.fnt" --png "フォント/見本.png"
  compare_file "show --png in a Japanese folder" "linux/フォント/見本.png" "windows/フォント/見本.png"
  run_both dump "フォント/小.fnt" -o "フォント/文字.txt"
  tr -d '\r' <"windows/フォント/文字.txt" >"windows/フォント/文字-lf.txt"
  compare_file "dump to a Japanese folder" "linux/フォント/文字.txt" "windows/フォント/文字-lf.txt"
  for side in linux windows; do
    cp "$side/フォント/小.fnt" "$side/s.fnt"
    printf 'CodePage 437\nSbcsThermalFile s.fnt\nOutputFontFile o.out\n' >"$side/設定.cfg"
  done
  run_both check "設定.cfg"
  tr -d '\r' <windows/out.txt >windows/out-lf.txt
  compare_file "check of a configuration named in Japanese" linux/out.txt windows/out-lf.txt
fi

echo "$same same, $different different"
[ "$different" = 0 ]
