#!/usr/bin/env bash
# Fails when a source includes a header from a folder on a higher floor than
# its own. The floors, from the ground up (docs/ARCHITECTURE.md draws them):
# a folder may include its own headers and those of the floors below it.
# The one exception: entities/ reads and changes the player record, so it
# may include player/player.h and player/gun.h (records only, no calls).
top=${1:-.}
cd "$top" || exit 2
floors=(platform image base config audio world world_draw entities player render game app)
declare -A floor
for i in "${!floors[@]}"; do floor[${floors[$i]}]=$i; done
status=0
for folder in "${floors[@]}"; do
  [ -d "$folder" ] || continue
  while IFS=: read -r file _ include; do
    target=${include#*\"}
    target=${target%%/*}
    [ -n "${floor[$target]:-}" ] || continue
    [ "${floor[$target]}" -le "${floor[$folder]}" ] && continue
    case "$folder:${include#*\"}" in
      entities:player/player.h\" | entities:player/gun.h\") continue ;;
    esac
    echo "$file includes ${include#*#include } from $target/, a floor above $folder/"
    status=1
  done < <(grep -rn --include='*.cpp' --include='*.h' -E '^\s*#\s*include\s*"[a-z_]+/' "$folder")
done
[ $status -eq 0 ] && echo "floors hold"
exit $status
