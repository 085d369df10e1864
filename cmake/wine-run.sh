#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARG...]: runs a Windows program under wine, for
# CTest, the test discovery after each build and the output comparison.
# Now and then wine leaves a program that has finished hanging at its exit;
# a run that has not ended after VEXO_WINE_TIMEOUT seconds (default 45) is
# stopped and run once more. A program that hangs twice fails. Now and then
# too a program fails to start, printing nothing at all: a run that fails
# without a byte of output is run once more (every program run here says
# something when it fails). Its output is passed on only from the last
# run, so that nothing is doubled.
wine=${VEXO_WINE64:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
limit=${VEXO_WINE_TIMEOUT:-45}
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
  WINEDEBUG=-all timeout --kill-after=5 "$limit" "$wine" "$@" >"$out" 2>"$err"
  status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "wine-run: '$1' had not ended after ${limit}s (run $attempt of 2)" >&2
    continue
  fi
  if [ "$status" -ne 0 ] && [ ! -s "$out" ] && [ ! -s "$err" ]; then
    echo "wine-run: '$1' failed with status $status and no output (run $attempt of 2)" >&2
    continue
  fi
  break
done
cat "$out"
cat "$err" >&2
exit "$status"
