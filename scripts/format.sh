#!/usr/bin/env bash
# Lays out every C++ source of the project as .clang-format says.
# Usage: scripts/format.sh          rewrites the files that differ
#        scripts/format.sh --check  lists them and fails when there are any
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c')
if [ "${1:-}" = "--check" ]; then
  differ=()
  for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || differ+=("$f")
  done
  if [ ${#differ[@]} -gt 0 ]; then
    echo "format: ${#differ[@]} files differ from .clang-format (scripts/format.sh rewrites them):"
    printf '  %s\n' "${differ[@]}"
    exit 1
  fi
  echo "format: every source follows .clang-format"
else
  clang-format -i "${files[@]}"
fi
