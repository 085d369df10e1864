#!/usr/bin/env bash
# tests/layering/check_includes.sh SOURCE_DIR
#
# Every project include points downwards: driver/ over fontinput/ over
# store/ over platform/; the rooms of vexofont/ over those (check and show read
# configurations with the driver's reader), and among themselves dump over
# make over text and the font service (fontservice), fonts over make,
# and make, dump and show over codepage, every room but options and the
# font service over the tools' rules of input fonts (fontrules); testkit/ over
# everything the product has; nothing of the product includes testkit/ or
# tests/, and the fuzz targets compile no file of tests/. Prints each include that points the wrong way and exits
# non-zero if there is one.
set -eu
cd "$1"

# folder: the folders it may include from (besides itself).
declare -A allowed=(
  [platform]=""
  [store]="platform"
  [fontinput]="store platform"
  [driver]="fontinput store platform"
  [vexofont/options]="platform"
  [vexofont/fontrules]="fontinput store platform"
  [vexofont/codepage]="vexofont/fontrules fontinput store platform"
  [vexofont/text]="vexofont/fontrules fontinput store platform"
  [vexofont/fontservice]="store platform"
  [vexofont/make]="vexofont/fontrules vexofont/options vexofont/codepage vexofont/text vexofont/fontservice
                   fontinput store platform"
  [vexofont/dump]="vexofont/fontrules vexofont/options vexofont/codepage vexofont/make vexofont/text fontinput store platform"
  [vexofont/readers]="vexofont/fontrules driver fontinput store platform"
  [vexofont/show]="vexofont/fontrules vexofont/options vexofont/codepage vexofont/readers driver fontinput store
                   platform"
  [vexofont/check]="vexofont/fontrules vexofont/options driver fontinput store platform"
  [vexofont/preview]="vexofont/fontrules vexofont/options vexofont/codepage vexofont/readers driver
                      fontinput store platform"
  [vexofont/fonts]="vexofont/fontrules vexofont/options vexofont/codepage vexofont/fontservice vexofont/make
                    fontinput store platform"
  [vexofont]="vexofont/fontrules vexofont/options vexofont/codepage vexofont/text vexofont/make vexofont/dump vexofont/show
              vexofont/check vexofont/preview vexofont/fonts vexofont/readers driver fontinput store
              platform"
)

# The folder an include names: a room of vexofont/, or a top folder.
target_of() {
  sed -n -e 's/^#include "\(vexofont\/[^/"]*\)\/.*/\1/p' \
         -e 't' -e 's/^#include "\([^/"]*\)\/.*/\1/p' <<<"$1"
}

status=0
for folder in "${!allowed[@]}"; do
  depth=()
  # vexofont/ alone is its own files (main.cc), not its rooms'.
  [ "$folder" = vexofont ] && depth=(-maxdepth 1)
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(target_of "${line#*:}")
    [ -z "$target" ] && continue
    [ "$target" = "$folder" ] && continue
    ok=0
    for a in ${allowed[$folder]}; do
      [ "$target" = "$a" ] && ok=1
    done
    if [ $ok = 0 ]; then
      echo "$file includes from $target/: ${line#*:}"
      status=1
    fi
  done < <(find "$folder" "${depth[@]}" \( -name '*.h' -o -name '*.cc' \) |
           xargs grep -n '^#include "' /dev/null |
           sed 's/^\([^:]*\):[0-9]*:/\1:/')
done

# Every room of vexofont/ has its row above.
for room in vexofont/*/; do
  room=${room%/}
  if [ -z "${allowed[$room]+set}" ]; then
    echo "$room/ is not in this check's table"
    status=1
  fi
done

# The test kit serves the tests; it includes none of them.
if grep -rn '^#include "tests/' testkit; then
  echo "testkit/ includes files of tests/"
  status=1
fi

# The fuzz targets are product code's consumers, not the tests'.
if grep -n 'tests/' fuzz/CMakeLists.txt; then
  echo "fuzz/CMakeLists.txt compiles or includes files of tests/"
  status=1
fi
[ $status = 0 ] && echo "includes point downwards"
exit $status
