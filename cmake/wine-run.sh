#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARG...]: runs a Windows program under wine, for
# CTest, the test discovery after each build and the output comparison.
# Now and then wine leaves a program that has finished hanging at its exit;
# a run that has not ended after VEXO_WINE_TIMEOUT seconds (default 45) is
# stopped and run once more. A program that hangs twice fails. Its output
# is passed on only from the run that ended, so that nothing is doubled.
wine=${VEXO_WINE64:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
limit=${VEXO_WINE_TIMEOUT:-45}
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
  WINEDEBUG=-all timeout --kill-after=5 "$limit" "$wine" "$@" >"$out" 2>"$err"
  status=$?
  if [ "$status" -ne 124 ] && [ "$status" -ne 137 ]; then break; fi
  echo "wine-run: '$1' had not ended after ${limit}s (run $attempt of 2)" >&2
done
cat "$out"
cat "$err" >&2
exit "$status"
