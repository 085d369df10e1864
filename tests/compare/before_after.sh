#!/usr/bin/env bash
# tests/compare/before_after.sh OLD_BIN_DIR NEW_BIN_DIR [BUILD]
#
# Runs the same commands with two builds of the programs (each folder holds
# vexocnvt and vexofont) and compares what a user sees: standard output,
# standard error, exit status and every file written, byte for byte. The
# cases: the bundled example (plain and with Verbose), the benchmark's
# scenarios, the fuzz corpora and regressions through every command that
# reads their kind of file, every help and version text, and the usage
# mistakes of each command. Made for changes that must not change what the
# programs do. BUILD (default: build) supplies make_bench_fonts. Prints one
# line per difference and "N passed, N failed"; exits non-zero on any.
set -u

old=$(cd "$1" && pwd)
new=$(cd "$2" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${3:-$root/build}" && pwd)

scratch=$(mktemp -d /tmp/vexocnvt-before-after-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# The inputs every case may use, in one folder.
inputs="$scratch/inputs"
mkdir -p "$inputs"
cp "$root"/examples/* "$inputs/"
{ cat "$root/examples/demo.cfg"; echo "Verbose 1"; } >"$inputs/verbose.cfg"
for corpus in "$root"/fuzz/corpus/* "$root"/fuzz/regressions/*; do
  for f in "$corpus"/*; do cp "$f" "$inputs/$(basename "$corpus")__$(basename "$f")"; done
done
"$build/bench/make_bench_fonts" "$inputs/bench" >/dev/null
(cd "$inputs" && "$old/vexocnvt" demo.cfg >/dev/null 2>&1)
(cd "$inputs" && "$old/vexofont" dump sbcs_thermal_12x24.fnt -o sbcs_thermal_12x24.txt >/dev/null 2>&1)

cases=()
add() { cases+=("$*"); }

for args in "" "--help" "--version" "--help x" "-h" "demo.cfg" "verbose.cfg" \
            "missing.cfg" "sbcs_impact_8x9.fnt"; do
  add "vexocnvt $args"
done
for s in "$inputs"/bench/*/; do add "cd bench/$(basename "$s") && vexocnvt bench.cfg"; done
for f in "$inputs"/config_file__*; do add "vexocnvt $(basename "$f")"; add "vexofont check $(basename "$f")"; done
for command in "" "--help" "--version" "bogus" "show" "make" "dump" "check"; do
  add "vexofont $command"
done
for command in show make dump check; do
  add "vexofont $command --help"
  add "vexofont $command --version"
  add "vexofont $command --bogus"
done
for f in "$inputs"/*.fnt "$inputs"/demo.out "$inputs"/font_loaders__* "$inputs"/show_readers__*; do
  b=$(basename "$f")
  add "vexofont show $b"
  add "vexofont dump $b -o dumped.txt"
done
add "vexofont show demo.out --png sheet.png"
add "vexofont show demo.out --config demo.cfg"
add "vexofont show demo.out --code 41-45 --code 8140"
add "vexofont show sbcs_thermal_12x24.fnt --png small.png --code 41"
add "vexofont check demo.cfg"
add "vexofont check demo.cfg --quiet"
add "vexofont check"
add "vexofont check a.cfg b.cfg"
add "vexofont make sbcs_thermal_12x24.txt remade.fnt"
add "vexofont make --overlay logo_12x24.txt sbcs_thermal_12x24.txt remade.fnt"
add "vexofont make sbcs_thermal_12x24.txt --kind sbcs remade.fnt"
add "vexofont make sbcs_thermal_12x24.txt sbcs_thermal_12x24.txt"
for f in "$inputs"/glyph_text__*; do add "vexofont make $(basename "$f") made.fnt"; done
for f in "$inputs"/source_font__*; do
  b=$(basename "$f")
  add "vexofont make --kind sbcs --station thermal --size 12x24 --code-page 437 $b made.fnt"
  add "vexofont make --kind sbcs --station impact --size 8x9 --code-page 437 --render gray:80 --hinting light $b made.fnt"
  add "vexofont make --kind dbcs --station impact --size 16x16 --code-page 932 --first 8140 --last 83ff $b made.fnt"
done
dejavu=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
if [ -f "$dejavu" ]; then
  cp "$dejavu" "$inputs/dejavu.ttf"
  add "vexofont make --kind sbcs --station thermal --size 12x24 --code-page 437 dejavu.ttf made.fnt"
  add "vexofont make --kind sbcs --station impact --size 12x9 --code-page 858 --text AbcÄ€ dejavu.ttf made.fnt"
  add "vexofont make --kind sbcs --station impact --size 8x9 --code-page 437 --pixel-size 10 --baseline 7 --offset 1,-1 --cell-fill font dejavu.ttf made.fnt"
  add "vexofont make --kind dbcs --station thermal --size 24x24 --code-page 936 --text 宫保鸡丁 dejavu.ttf made.fnt"
  add "vexofont make --kind sbcs --station thermal --size 12x24 --code-page 437 --fallback dejavu.ttf --overlay logo_12x24.txt dejavu.ttf made.fnt"
fi
# Usage mistakes of make, one option at a time.
base="--kind sbcs --station thermal --size 12x24 --code-page 437"
for bad in "--kind x" "--station x" "--size 12" "--size 7x24" "--code-page 999" \
           "--first zz" "--first 100" "--first 80 --last 40" "--render gray:0" \
           "--hinting x" "--pixel-size 0" "--offset 1" "--baseline 99" \
           "--cell-fill x" "--text" "--map missing.map" "--chars missing.txt" "-o"; do
  add "vexofont make $base $bad source_font__bdf_cell_8x16 made.fnt"
done
add "vexofont make --station thermal --size 12x24 --code-page 437 x y"
add "vexofont make --kind dbcs --station thermal --size 24x24 --code-page 932 --first 20 --last 30 x y"
add "vexofont make $base only_one"
add "vexofont dump"
add "vexofont dump a b"
add "vexofont dump missing.fnt"
add "vexofont show"
add "vexofont show missing.fnt"

run_case() {  # BIN_DIR OUT_DIR CASE
  local bin=$1 out=$2 case=$3
  rm -rf "$out" && cp -al "$inputs" "$out"
  (cd "$out" && PATH="$bin:$PATH" timeout 120 bash -c "$case" >"$out.stdout" 2>"$out.stderr"
   echo $? >"$out.status")
}

passed=0
failed=0
i=0
for case in "${cases[@]}"; do
  i=$((i + 1))
  run_case "$old" "$scratch/old" "$case"
  run_case "$new" "$scratch/new" "$case"
  if diff -r "$scratch/old" "$scratch/new" >/dev/null &&
     cmp -s "$scratch/old.stdout" "$scratch/new.stdout" &&
     cmp -s "$scratch/old.stderr" "$scratch/new.stderr" &&
     cmp -s "$scratch/old.status" "$scratch/new.status"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "DIFFERS: $case"
    diff "$scratch/old.stdout" "$scratch/new.stdout" | head -5
    diff "$scratch/old.stderr" "$scratch/new.stderr" | head -5
    diff -r "$scratch/old" "$scratch/new" | head -3
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
