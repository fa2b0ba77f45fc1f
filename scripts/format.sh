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
  # One clang-format run over every file; it names each place that differs.
  report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1) && status=0 || status=$?
  if [ $status -ne 0 ]; then
    bad=$(printf '%s\n' "$report" | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
    if [ -z "$bad" ]; then
      printf '%s\n' "$report" >&2
      exit 1
    fi
    echo "format: these files differ from .clang-format (run scripts/format.sh):"
    printf '%s\n' "$bad" | sed 's/^/  /'
    exit 1
  fi
  echo "format: ok"
else
  printf '%s\0' "${files[@]}" | xargs -0 -n 50 clang-format -i
fi
