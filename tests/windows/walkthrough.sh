#!/usr/bin/env bash
# tests/windows/walkthrough.sh ZIP
#
# The README's Windows walkthrough, run from the Windows zip under wine:
# each command of its cmd.exe block that runs one of the two programs
# (`..\vexofont.exe ...`, `..\vexocnvt.exe ...`), in the zip's examples
# folder, must end with status 0 and write the files it names. A font it
# names alone that is not there (consola.ttf), which wine's Fonts folder
# lacks, is put there for the run as DejaVu Sans Mono under that name.
set -eu
zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
root=$(cd "$(dirname "$0")/../.." && pwd)
dejavu=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
scratch=$(mktemp -d /tmp/vexocnvt-walkthrough-XXXXXX)
placed=()
trap 'rm -rf "$scratch"; rm -f "${placed[@]}"' EXIT
fonts=${WINEPREFIX:-$HOME/.wine}/drive_c/windows/Fonts
if [ ! -d "$fonts" ]; then
  bash "$root/cmake/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
fi
mkdir -p "$fonts"
(cd "$scratch" && unzip -q "$zip")
examples=$(echo "$scratch"/*/examples)
[ -d "$examples" ] || { echo "no examples folder in $zip" >&2; exit 1; }
# The cmd.exe block: from its ```bat line to the closing ```.
awk '/^```bat$/ {inside = 1; next} inside && /^```$/ {exit} inside' \
  "$root/README.md" | grep '^\.\.\\vexo' >"$scratch/commands.txt" || true
count=$(wc -l <"$scratch/commands.txt")
if [ "$count" -lt 4 ]; then
  echo "the README's cmd.exe block runs $count programs; expected the walkthrough" >&2
  exit 1
fi
cd "$examples"
while IFS= read -r line; do
  line=${line%$'\r'}
  program=${line%% *}
  program=${program#..\\}
  arguments=${line#* }
  for word in $arguments; do
    case $word in
      *.ttf|*.ttc|*.otf)
        if [ ! -e "$word" ] && [ ! -e "$fonts/$word" ]; then
          cp "$dejavu" "$fonts/$word"
          placed+=("$fonts/$word")
        fi ;;
    esac
  done
  echo "> $program $arguments"
  # shellcheck disable=SC2086  # the README's words, split as cmd.exe would
  if ! bash "$root/cmake/wine-run.sh" "../$program" $arguments >"$scratch/out.txt" 2>&1; then
    cat "$scratch/out.txt"
    echo "failed: $line" >&2
    exit 1
  fi
  # Every file the command writes (after --png, -o, or a make's last word).
  for word in $arguments; do
    case $word in
      *.png|*.out|*.fnt)
        [ -s "$word" ] || { echo "'$word' is missing after: $line" >&2; exit 1; } ;;
    esac
  done
done <"$scratch/commands.txt"
echo "$count commands of the README's Windows walkthrough ran under wine"
