#!/usr/bin/env bash
# fuzz/smoke.sh [SECONDS] [TARGET...]: builds the libFuzzer targets with
# clang (in build-fuzz/, or $VEXO_FUZZ_BUILD) and runs each for SECONDS
# (default 60), starting from its seed corpus. Fails on any crash, leak,
# timeout, out-of-memory or sanitizer report, and when an input saved in
# fuzz/regressions/TARGET fails again. New corpus entries, logs and
# artifacts go to a scratch folder ($VEXO_FUZZ_WORK to choose it), which is
# kept when a target fails and removed otherwise.
set -euo pipefail

seconds=${1:-60}
shift || true
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${VEXO_FUZZ_BUILD:-$root/build-fuzz}
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(config_file font_loaders conversion show_readers source_font glyph_text limits
           preview reduction face)

if ! command -v clang++ >/dev/null; then
  echo "smoke.sh: clang++ not found" >&2
  exit 1
fi
# The fuzz preset's settings, in the folder asked for.
(cd "$root" && cmake --preset fuzz -B "$build" >/dev/null)
cmake --build "$build" -j2 --target "${targets[@]/%/_fuzzer}" >/dev/null

work=${VEXO_FUZZ_WORK:-$(mktemp -d /tmp/vexocnvt-smoke-XXXXXX)}
status=0
for target in "${targets[@]}"; do
  case $target in
    conversion | preview) max_len=32768 ;;
    show_readers | source_font | glyph_text | face) max_len=8192 ;;
    reduction) max_len=65 ;;
    *) max_len=4096 ;;
  esac
  mkdir -p "$work/$target/corpus" "$work/$target/artifacts"
  log=$work/$target/log
  # Past findings first: each saved input runs once through the target.
  findings=("$here/regressions/$target"/*)
  if [ -e "${findings[0]}" ]; then
    echo "== $target: ${#findings[@]} saved findings"
    if ! "$build/fuzz/${target}_fuzzer" "${findings[@]}" </dev/null >"$log" 2>&1; then
      echo "FAIL: $target, a saved finding fails again" >&2
      grep -E 'Running:|runtime error|ERROR|SUMMARY|check failed' "$log" >&2 || true
      status=1
      continue
    fi
  fi
  echo "== $target: ${seconds}s"
  set +e
  "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -detect_leaks=1 -max_len="$max_len" \
    -print_final_stats=1 -artifact_prefix="$work/$target/artifacts/" \
    "$work/$target/corpus" "$here/corpus/$target" </dev/null >"$log" 2>&1
  rc=$?
  set -e
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)' \
    "$log" || true
  grep -E '^#[0-9]+' "$log" | tail -1 || true
  artifacts=$(ls "$work/$target/artifacts")
  if [ $rc -ne 0 ] || [ -n "$artifacts" ] ||
     grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:|check failed' "$log"; then
    echo "FAIL: $target (exit $rc); log and artifacts follow" >&2
    grep -vE '^#[0-9]+ +(NEW|REDUCE|pulse)' "$log" | tail -60 >&2
    for artifact in $artifacts; do
      echo "artifact: $work/$target/artifacts/$artifact" >&2
      echo "  keep it: cp it into fuzz/regressions/$target/ under a name for the fault" >&2
    done
    status=1
  else
    echo "ok: $target"
  fi
done
[ $status -ne 0 ] || [ -n "${VEXO_FUZZ_WORK:-}" ] || rm -rf "$work"
exit $status
