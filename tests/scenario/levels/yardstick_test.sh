#!/usr/bin/env bash
# The yardstick player finishes the first levels with at least half its
# health: WALKER DATA_DIR LEVEL... (one seed each, the demo of each run kept
# in a temporary folder that is removed afterwards).
set -u
walker=$1 data=$2
shift 2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
for level in "$@"; do
  line=$("$walker" "$data/maps/$level.t3bsp" "$tmp/$level.dem" 18000 1 2>&1 >/dev/null | grep '^walk_demo: ' | tail -n 1)
  echo "$line"
  health=$(echo "$line" | sed -n 's/.* health \(-\{0,1\}[0-9]*\) .*/\1/p')
  if ! echo "$line" | grep -q ' finished ' || [ -z "$health" ] || [ "$health" -lt 50 ]; then
    echo "FAIL: $level was not finished with at least 50 health"
    failed=1
  fi
done
exit $failed
