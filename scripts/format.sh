#!/usr/bin/env bash
# Formats every C++ file of the tree with the repository's .clang-format.
# Usage: scripts/format.sh          rewrite the files in place
#        scripts/format.sh --check  list the files the formatter would change
#                                   and fail when there are any (CI runs this)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cd "$root"
mapfile -t files < <(git ls-files -- 'src/*.h' 'src/*.cpp' 'tools/*.h' 'tools/*.cpp' \
  'tests/*.h' 'tests/*.cpp' 'bench/*.h' 'bench/*.cpp')
if [ "${1:-}" = "--check" ]; then
  bad=()
  for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
  done
  if [ ${#bad[@]} -gt 0 ]; then
    echo "format: these files differ from .clang-format (run scripts/format.sh):"
    printf '  %s\n' "${bad[@]}"
    exit 1
  fi
  echo "format: ok"
else
  printf '%s\0' "${files[@]}" | xargs -0 -n 50 clang-format -i
fi
