#!/usr/bin/env bash
# memcheck_make.sh SCENARIO VEXOFONT: runs one `vexofont make` under
# valgrind memcheck and fails on any invalid access, uninitialised use,
# leak or unclosed file, or on an unexpected status. SCENARIO "damaged-gz"
# gives a gzip-compressed font whose stream is broken (status 2, every
# handle closed); "dbcs" builds a DBCS font of code page 949 through iconv.
# Reports from the C library itself are suppressed by glibc.supp, which
# says why. Exits 77 (skipped) without valgrind.
set -euo pipefail
scenario=$1 vexofont=$2
here=$(cd "$(dirname "$0")" && pwd)
command -v valgrind >/dev/null || { echo "valgrind not found: skipped"; exit 77; }

scratch=$(mktemp -d /tmp/vexofont-memcheck-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cat >"$scratch/font.bdf" <<'BDF'
STARTFONT 2.1
FONT -test-cell-medium-r-normal--16-160-75-75-C-160-ISO10646-1
SIZE 16 75 75
FONTBOUNDINGBOX 16 16 0 -2
STARTPROPERTIES 4
CHARSET_REGISTRY "ISO10646"
CHARSET_ENCODING "1"
FONT_ASCENT 14
FONT_DESCENT 2
ENDPROPERTIES
CHARS 1
STARTCHAR uniAC00
ENCODING 44032
SWIDTH 1000 0
DWIDTH 16 0
BBX 2 2 0 0
BITMAP
C0
C0
ENDCHAR
ENDFONT
BDF
case $scenario in
  damaged-gz)
    # A gzip header, then bytes that are no deflate stream.
    printf '\037\213\010\000\000\000\000\000\000\003\377\377\377\377broken' \
      >"$scratch/source.pcf.gz"
    args=(--kind sbcs --station impact --size 8x9 --code-page 437
          "$scratch/source.pcf.gz" "$scratch/out.fnt")
    expected=2
    ;;
  dbcs)
    args=(--kind dbcs --station thermal --size 24x24 --code-page 949
          --first 0xb0a1 --last 0xb1fe "$scratch/font.bdf" "$scratch/out.fnt")
    expected=0
    ;;
  *) echo "unknown scenario $scenario" >&2; exit 2 ;;
esac

status=0
valgrind --quiet --error-exitcode=101 --leak-check=full --track-fds=yes \
  --errors-for-leak-kinds=definite,indirect,possible \
  --suppressions="$here/glibc.supp" --log-file="$scratch/valgrind.log" \
  "$vexofont" make "${args[@]}" >"$scratch/stdout" 2>"$scratch/stderr" || status=$?
left_open=$(awk '/Open file descriptor [0-9]+:/ { fd = 1; next }
  fd && /inherited from parent/ { fd = 0; next }
  fd { n++; fd = 0 } END { print n + 0 }' "$scratch/valgrind.log")
grep -v -e "<inherited from parent>" -e "Open file descriptor" "$scratch/valgrind.log" || true
cat "$scratch/stdout" "$scratch/stderr"
if [ "$status" -ne "$expected" ] || [ "$left_open" -ne 0 ]; then
  echo "memcheck make $scenario failed: status $status (expected $expected)," \
       "$left_open files left open" >&2
  exit 1
fi
echo "memcheck make $scenario clean: status $status"
