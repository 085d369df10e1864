#!/usr/bin/env bash
# tests/layering/check_includes.sh SOURCE_DIR
#
# Every project include points downwards: driver/ over fontinput/ over
# store/; vexofont/ over all three (check reads configurations with the
# driver's reader); testkit/ over everything the product
# has; nothing of the product includes testkit/ or tests/. Prints each
# include that points the wrong way and exits non-zero if there is one.
set -eu
cd "$1"

# folder: the folders it may include from (besides itself).
declare -A allowed=(
  [store]=""
  [fontinput]="store"
  [driver]="fontinput store"
  [vexofont]="driver fontinput store"
)

status=0
for folder in "${!allowed[@]}"; do
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -n 's/^#include "\([^/"]*\)\/.*/\1/p' <<<"${line#*:}")
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
  done < <(grep -rn --include='*.h' --include='*.cc' '^#include "' "$folder" |
           sed 's/^\([^:]*\):[0-9]*:/\1:/')
done
[ $status = 0 ] && echo "includes point downwards"
exit $status
