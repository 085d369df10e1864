#!/usr/bin/env bash
# bench/run.sh [RUNS]: builds vexocnvt, the one-process floor and the runner
# (Release, in build-bench/ or $VEXO_BENCH_BUILD), writes the benchmark
# scenarios (none, small, typical, full) into a scratch folder and times
# RUNS (default 21) conversions of each interleaved with RUNS runs of the
# floor, of the floor with the glyph table's memory and of the start-up
# floor. Prints, per scenario, the median wall times and the converter's
# ratio to each floor, the median minor page faults of converter and floor
# and their peak resident memory, then checks the goals. VEXOCNVT=path
# times another build of the converter.
#
# The floor (bench/io_floor.cc) is one process that does the least any
# converter must: read every input byte (the configuration and the fonts)
# into its own memory and write a new file of the output's size, renamed
# over the old one as the converter does, with read() and write() in
# 128 KiB blocks. With --table it also fills a glyph table of the
# scenario's records in memory placed as the converter's and lays the
# output out from it: what the table alone costs, before any conversion.
set -euo pipefail

runs=${1:-21}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXO_BENCH_BUILD:-$root/build-bench}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVEXO_TESTS=OFF \
  -DVEXO_TOOLS=OFF >/dev/null
cmake --build "$build" -j2 --target vexocnvt make_bench_fonts io_floor \
  start_floor bench_runner >/dev/null
converter=${VEXOCNVT:-$build/vexocnvt}

scratch=$(mktemp -d /tmp/vexocnvt-bench-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
scenarios=()
while read -r name records; do
  scenarios+=("$scratch/$name" "$records")
done < <("$build/bench/make_bench_fonts" "$scratch")

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "runs per scenario: $runs, interleaved; medians of wall time and page faults, largest peak RSS"
"$build/bench/bench_runner" "$runs" "$converter" "$build/bench/io_floor" \
  "$build/bench/start_floor" "${scenarios[@]}" | tee "$scratch/table"
awk 'NR > 1 {
  name = $1; ratio = $9; table = $13; rss = $18
  goal = 1.2
  rss_goal = name == "full" ? 3.5 : 1
  printf "%s: ratio %s %s %.2f (%s of the floor with the table)", name, ratio, ratio <= goal ? "within" : "ABOVE", goal, table
  if (name != "typical") printf ", peak RSS %s MiB %s %.1f MiB", rss, rss <= rss_goal ? "within" : "ABOVE", rss_goal
  printf "\n" }' "$scratch/table"
