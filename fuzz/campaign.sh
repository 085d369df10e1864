#!/usr/bin/env bash
# fuzz/campaign.sh MINUTES WORKDIR [TARGET...]: a long fuzzing run of each
# target in turn, MINUTES each, on the build that smoke.sh makes. Runs in
# fork mode so that one finding does not end the run: every crash, leak and
# timeout is saved under WORKDIR/TARGET/artifacts, the grown corpus under
# WORKDIR/TARGET/corpus and the log in WORKDIR/TARGET/log.
set -uo pipefail

minutes=${1:?minutes}
work=${2:?workdir}
shift 2
here=$(cd "$(dirname "$0")" && pwd)
build=${VEXO_FUZZ_BUILD:-$(dirname "$here")/build-fuzz}
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(config_file font_loaders conversion show_readers source_font glyph_text limits
           preview reduction face)

for target in "${targets[@]}"; do
  case $target in
    conversion | preview) max_len=32768 ;;
    show_readers | source_font | glyph_text | face) max_len=8192 ;;
    reduction) max_len=65 ;;
    *) max_len=4096 ;;
  esac
  mkdir -p "$work/$target/corpus" "$work/$target/artifacts"
  "$build/fuzz/${target}_fuzzer" -fork=1 -ignore_crashes=1 \
    -max_total_time=$((minutes * 60)) -timeout=10 -rss_limit_mb=2048 \
    -detect_leaks=1 -max_len="$max_len" \
    -artifact_prefix="$work/$target/artifacts/" \
    "$work/$target/corpus" "$here/corpus/$target" </dev/null \
    >"$work/$target/log" 2>&1
  echo "$target exit $?" >>"$work/summary"
done
