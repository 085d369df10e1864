#!/usr/bin/env bash
# tests/layering/check_architecture_paths.sh SOURCE_DIR
#
# Every file and folder docs/ARCHITECTURE.md names in backquotes is there:
# a name with a folder from the top of the tree, a file name alone
# somewhere in it. Prints each one missing and exits non-zero if there is
# one, so that the map cannot send a reader to a file that moved.
set -eu
cd "$1"

missing=0
while IFS= read -r name; do
  if [[ $name == */* ]]; then
    [[ -e ${name%/} ]] && continue
  elif [[ -n $(find driver fontinput platform store testkit vexofont tests \
                    fuzz bench -name "$name" -print -quit) ]]; then
    continue
  fi
  echo "docs/ARCHITECTURE.md names '$name', which is not in the tree"
  missing=1
done < <(grep -o '`[^` ]*`' docs/ARCHITECTURE.md | tr -d '`' |
         grep -E '/|\.(h|cc|sh|py|md|txt|in|bash|json)$' | sort -u)
exit "$missing"
