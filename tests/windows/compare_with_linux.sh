#!/usr/bin/env bash
# tests/windows/compare_with_linux.sh LINUX_BUILD WINDOWS_BUILD
#
# Converts the same inputs with the Linux build and with the Windows build
# (under wine): the bundled example, the example with Verbose, and the
# benchmark's full-load and typical scenarios. The output font files must be
# byte-identical; standard output and standard error must be identical once
# the Windows console's CR LF is read as LF. Prints one line per case and
# "N passed, N failed"; exits non-zero on any difference.
set -eu

linux_build=$(cd "$1" && pwd)
windows_build=$(cd "$2" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
wine_run="$root/cmake/wine-run.sh"

scratch=$(mktemp -d /tmp/vexocnvt-compare-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# Each case: a folder of inputs and the configuration to run in it.
mkdir -p "$scratch/inputs/example" "$scratch/inputs/verbose"
cp "$root"/examples/*.fnt "$root/examples/demo.cfg" "$scratch/inputs/example/"
cp "$root"/examples/*.fnt "$scratch/inputs/verbose/"
{ cat "$root/examples/demo.cfg"; echo "Verbose 1"; } >"$scratch/inputs/verbose/demo.cfg"
"$linux_build/bench/make_bench_fonts" "$scratch/inputs" >/dev/null
cases=("example demo.cfg" "verbose demo.cfg" "full bench.cfg" "typical bench.cfg")

passed=0
failed=0
for entry in "${cases[@]}"; do
  read -r name config <<<"$entry"
  for platform in linux windows; do
    mkdir -p "$scratch/$platform"
    cp -r "$scratch/inputs/$name" "$scratch/$platform/$name"
  done
  # The exit status is compared too, as a file beside the output.
  (cd "$scratch/linux/$name" &&
    { "$linux_build/vexocnvt" "$config" >stdout.txt 2>stderr.txt; echo $? >status.txt; })
  (cd "$scratch/windows/$name" &&
    { bash "$wine_run" "$windows_build/vexocnvt.exe" "$config" \
        >stdout.crlf 2>stderr.crlf; echo $? >status.txt; })
  for stream in stdout stderr; do
    sed 's/\r$//' "$scratch/windows/$name/$stream.crlf" \
      >"$scratch/windows/$name/$stream.txt"
    rm "$scratch/windows/$name/$stream.crlf"
  done
  if diff -r "$scratch/linux/$name" "$scratch/windows/$name" >"$scratch/diff.txt"; then
    size=$(cat "$scratch/linux/$name"/*.out "$scratch/linux/$name"/*.bin 2>/dev/null | wc -c)
    echo "same: $name (exit status $(cat "$scratch/linux/$name/status.txt"), $size output bytes, $(wc -l <"$scratch/linux/$name/stdout.txt") lines of standard output)"
    passed=$((passed + 1))
  else
    echo "DIFFERENT: $name"
    head -20 "$scratch/diff.txt"
    failed=$((failed + 1))
  fi
done
echo "compare: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
