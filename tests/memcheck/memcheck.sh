#!/usr/bin/env bash
# memcheck.sh SCENARIO VEXOCNVT EXAMPLES|MAKE_BENCH_FONTS: runs one
# conversion under valgrind memcheck and fails on any invalid access,
# uninitialised use, leak or unclosed file, or on a status other than 0.
# SCENARIO "example" converts the bundled example fonts; "full-load" the
# benchmark's full-table scenario. Exits 77 (skipped) without valgrind.
set -euo pipefail
scenario=$1 converter=$2 source=$3
command -v valgrind >/dev/null || { echo "valgrind not found: skipped"; exit 77; }

scratch=$(mktemp -d /tmp/vexocnvt-memcheck-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
case $scenario in
  example)
    for key in SbcsThermalFile:sbcs_thermal_12x24 SbcsImpactFile:sbcs_impact_8x9 \
               DbcsThermalFile:dbcs_thermal_24x24 DbcsImpactFile:dbcs_impact_16x16; do
      echo "${key%%:*} $source/${key#*:}.fnt"
    done >"$scratch/run.cfg"
    echo "CodePage 932" >>"$scratch/run.cfg"
    ;;
  full-load)
    "$source" "$scratch" >/dev/null
    sed '/^OutputFontFile/d; s|^\([A-Za-z]*File\) |\1 '"$scratch"'/full/|' \
      "$scratch/full/bench.cfg" >"$scratch/run.cfg"
    ;;
  *) echo "unknown scenario $scenario" >&2; exit 2 ;;
esac
echo "OutputFontFile $scratch/out.bin" >>"$scratch/run.cfg"

status=0
valgrind --quiet --error-exitcode=101 --leak-check=full --track-fds=yes \
  --log-file="$scratch/valgrind.log" "$converter" "$scratch/run.cfg" \
  >/dev/null || status=$?
# Descriptors the converter opened and left open at exit (valgrind marks
# the ones it was started with as inherited).
left_open=$(awk '/Open file descriptor [0-9]+:/ { fd = 1; next }
  fd && /inherited from parent/ { fd = 0; next }
  fd { n++; fd = 0 } END { print n + 0 }' "$scratch/valgrind.log")
grep -v -e "<inherited from parent>" -e "Open file descriptor" "$scratch/valgrind.log" || true
cat "$scratch/run.cfg"
if [ "$status" -ne 0 ] || [ "$left_open" -ne 0 ] || [ ! -s "$scratch/out.bin" ]; then
  echo "memcheck $scenario failed: status $status, $left_open files left open" >&2
  exit 1
fi
echo "memcheck $scenario clean: $(stat -c %s "$scratch/out.bin") output bytes"
