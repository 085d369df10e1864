#!/usr/bin/env bash
# tests/windows/compare_code_pages.sh LINUX_BUILD WINDOWS_BUILD
#
# Every code of every code page vexofont makes fonts for, with its character
# and the code that character gives back, as iconv has them on Linux and as
# the Windows build has them under wine (code_page_table, built with
# `--target code_page_table` in both): they must be the same, or the same
# font would differ between the platforms. Prints the first differences.
#
# Then the same codes in the charsets of X fonts that are not Unicode. A
# code page with its own charset (932 and JIS X 0208, 936 and GB 2312, 949
# and KS C 5601, 950 and Big5, the single-byte ones) must map the same; the
# few codes that differ between a code page and another's charset are
# counted in charset_differences.txt beside this script, which the README
# sums up, and every count must stay as it is there. Windows has no
# conversion of CNS 11643: it must say so for every code page.
set -u
linux=$(cd "$1" && pwd)/code_page_table
windows=$(cd "$2" && pwd)/code_page_table.exe
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
scratch=$(mktemp -d /tmp/vexocnvt-code-pages-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
"$linux" >"$scratch/linux.txt"
bash "$root/cmake/wine-run.sh" "$windows" | tr -d '\r' >"$scratch/windows.txt"
status=0
grep '^[0-9]' "$scratch/linux.txt" >"$scratch/linux-pages.txt"
grep '^[0-9]' "$scratch/windows.txt" >"$scratch/windows-pages.txt"
if ! diff "$scratch/linux-pages.txt" "$scratch/windows-pages.txt" >"$scratch/diff.txt"; then
  head -20 "$scratch/diff.txt"
  echo "the code pages differ between Linux and Windows" \
       "($(grep -c '^<' "$scratch/diff.txt") codes)" >&2
  status=1
fi
echo "$(wc -l <"$scratch/linux-pages.txt") codes of every code page: compared"

# Charsets: "< LABEL PAGE COUNT" for codes only Linux maps so, "> ..." for
# codes only Windows maps so.
grep -v '^[0-9]' "$scratch/linux.txt" | grep -v '^CNS11643' | sort >"$scratch/l.txt"
grep -v '^[0-9]' "$scratch/windows.txt" | grep -v '^CNS11643' | sort >"$scratch/w.txt"
{
  comm -23 "$scratch/l.txt" "$scratch/w.txt" | awk '{print "<", $1, $2}'
  comm -13 "$scratch/l.txt" "$scratch/w.txt" | awk '{print ">", $1, $2}'
} | sort | uniq -c | awk '{print $2, $3, $4, $1}' >"$scratch/counts.txt"
if ! diff "$here/charset_differences.txt" "$scratch/counts.txt"; then
  echo "the charsets of X fonts map otherwise than charset_differences.txt says" >&2
  status=1
fi
if ! grep -q '^CNS11643.* not known$' "$scratch/windows.txt" ||
   grep '^CNS11643' "$scratch/windows.txt" | grep -qv ' not known$'; then
  echo "CNS 11643 is known on Windows: compare it too" >&2
  status=1
fi
echo "$(wc -l <"$scratch/l.txt") codes in the charsets of X fonts: compared"
exit $status
