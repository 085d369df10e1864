#!/usr/bin/env bash
# bench/run.sh [RUNS]: builds vexocnvt (Release, in build-bench/ or
# $VEXO_BENCH_BUILD), writes the benchmark scenarios into a scratch folder
# and times RUNS (default 15) conversions of each against RUNS runs of the
# input-output floor on the same bytes, interleaved. Prints the median wall
# times and their ratio, the mean CPU times (user + system) and their ratio,
# and the converter's peak resident memory (GNU time's %M, the largest of
# three runs). VEXOCNVT=path times another build of the converter.
#
# The floor is what any converter of these files must at least do: read
# every input byte and write a file of the output's size. It is done with
# plain tools: cat reads all the input files into a pipe, head writes the
# first OUTPUT-SIZE bytes of that stream into a file, and a second cat
# drains the rest, so every input byte is read once and exactly as many
# bytes are written as the converter writes.
set -euo pipefail

runs=${1:-15}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXO_BENCH_BUILD:-$root/build-bench}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVEXO_TESTS=OFF \
  -DVEXO_TOOLS=OFF >/dev/null
cmake --build "$build" -j2 --target vexocnvt make_bench_fonts >/dev/null
converter=${VEXOCNVT:-$build/vexocnvt}  # VEXOCNVT=path times another build

scratch=$(mktemp -d /tmp/vexocnvt-bench-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
expected=$("$build/bench/make_bench_fonts" "$scratch")

now_us() { local t=$EPOCHREALTIME; echo $((10#${t/./})); }
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {
  print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2 }'; }
ms() { awk -v us="$1" 'BEGIN { printf "%.2f ms", us / 1000 }'; }
# Sets cpu_us to the user plus system time of all waited-for children so
# far, in microseconds (run in this shell: a subshell has no children yet).
children_cpu() {
  times >"$scratch/times"
  read -r cpu_us < <(awk 'NR == 2 { split($1 " " $2, t, /[ms ]+/);
    printf "%d\n", ((t[1] + t[3]) * 60 + t[2] + t[4]) * 1e6 }' "$scratch/times")
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "runs per scenario: $runs; wall-time medians, then mean CPU time (user + system) per run"
printf '%-9s %9s %9s %10s %10s %6s %10s %10s %6s %9s\n' scenario input output \
  converter floor ratio "cpu conv" "cpu floor" ratio "peak RSS"
while read -r scenario records; do
  cd "$scratch/$scenario"
  inputs=(*.fnt)
  input_bytes=$(cat "${inputs[@]}" | wc -c)
  out_bytes=$((85 + 116 * records))
  floor() { cat "${inputs[@]}" | { head -c "$out_bytes" >floor.bin; cat >/dev/null; }; }

  "$converter" bench.cfg >/dev/null # warm the page cache
  actual=$(stat -c %s out.bin)
  if [ "$actual" -ne "$out_bytes" ]; then
    echo "$scenario: output is $actual bytes, expected $out_bytes" >&2
    exit 1
  fi
  floor
  converter_us=() floor_us=() converter_cpu=0 floor_cpu=0
  for ((i = 0; i < runs; i++)); do
    children_cpu; c0=$cpu_us t0=$(now_us)
    "$converter" bench.cfg >/dev/null
    t1=$(now_us); children_cpu; c1=$cpu_us
    floor
    t2=$(now_us); children_cpu; c2=$cpu_us
    converter_us+=($((t1 - t0))) floor_us+=($((t2 - t1)))
    converter_cpu=$((converter_cpu + c1 - c0)) floor_cpu=$((floor_cpu + c2 - c1))
  done
  rss_kb=0
  if [ -x /usr/bin/time ]; then
    for ((i = 0; i < 3; i++)); do
      kb=$(/usr/bin/time -f %M "$converter" bench.cfg 2>&1 >/dev/null | tail -1)
      [ "$kb" -gt "$rss_kb" ] && rss_kb=$kb
    done
    rss=$(awk -v kb="$rss_kb" 'BEGIN { printf "%.2f MiB", kb / 1024 }')
  else
    rss="n/a"
  fi
  c=$(median "${converter_us[@]}") f=$(median "${floor_us[@]}")
  ratio=$(awk -v c="$c" -v f="$f" 'BEGIN { printf "%.2f", c / f }')
  cpu_ratio=$(awk -v c="$converter_cpu" -v f="$floor_cpu" 'BEGIN { printf "%.2f", c / f }')
  printf '%-9s %7.2fMB %7.2fMB %10s %10s %6s %10s %10s %6s %9s\n' "$scenario" \
    "$(awk -v b="$input_bytes" 'BEGIN { print b / 1e6 }')" \
    "$(awk -v b="$out_bytes" 'BEGIN { print b / 1e6 }')" \
    "$(ms "$c")" "$(ms "$f")" "$ratio" \
    "$(ms $((converter_cpu / runs)))" "$(ms $((floor_cpu / runs)))" "$cpu_ratio" "$rss"
  if [ "$scenario" = full ]; then
    verdict=$(awk -v r="$ratio" -v kb="$rss_kb" 'BEGIN {
      print (r <= 1.5 ? "ratio within 1.5" : "ratio ABOVE 1.5") ", " \
            (kb > 0 && kb < 6144 ? "peak RSS under 6 MiB" : "peak RSS NOT under 6 MiB") }')
    full_verdict="full-load: $verdict"
  fi
done <<<"$expected"
echo "${full_verdict:-}"
