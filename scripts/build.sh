#!/usr/bin/env bash
# Configures and builds into build/ (or build-asan/ with --sanitize).
# Usage: scripts/build.sh [--sanitize]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

dir="$root/build"; flags=()
if [ "${1:-}" = "--sanitize" ]; then
  dir="$root/build-asan"; flags=(-DKORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" >&2
fi
cmake --build "$dir" -- -j"$(nproc)" >&2
echo "$dir"
