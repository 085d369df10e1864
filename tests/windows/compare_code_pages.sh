#!/usr/bin/env bash
# tests/windows/compare_code_pages.sh LINUX_BUILD WINDOWS_BUILD
#
# Every code of every code page vexofont makes fonts for, with its character
# and the code that character gives back, as iconv has them on Linux and as
# the Windows build has them under wine (code_page_table, built with
# `--target code_page_table` in both): they must be the same, or the same
# font would differ between the platforms. Prints the first differences.
set -u
linux=$(cd "$1" && pwd)/code_page_table
windows=$(cd "$2" && pwd)/code_page_table.exe
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d /tmp/vexocnvt-code-pages-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
"$linux" >"$scratch/linux.txt"
bash "$root/cmake/wine-run.sh" "$windows" | tr -d '\r' >"$scratch/windows.txt"
if ! diff "$scratch/linux.txt" "$scratch/windows.txt" >"$scratch/diff.txt"; then
  head -20 "$scratch/diff.txt"
  echo "the code pages differ between Linux and Windows" \
       "($(grep -c '^<' "$scratch/diff.txt") codes)" >&2
  exit 1
fi
echo "$(wc -l <"$scratch/linux.txt") codes of every code page: the same on Linux and Windows"
