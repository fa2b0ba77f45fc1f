#!/usr/bin/env bash
# Builds everything and runs every test. Rendering tests write their PNGs to
# $KORA_ARTIFACTS (default: build/artifacts). With --sanitize the fuzz targets
# run briefly afterwards (scripts/fuzz.sh).
# Usage: scripts/test.sh [--sanitize] [extra ctest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=()
if [ "${1:-}" = "--sanitize" ]; then mode=(--sanitize); shift; fi
dir=$("$root/scripts/build.sh" "${mode[@]}" | tail -n 1)
export KORA_ARTIFACTS="${KORA_ARTIFACTS:-$dir/artifacts}"
mkdir -p "$KORA_ARTIFACTS"
if [ ${#mode[@]} -gt 0 ]; then
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
cd "$dir"
ctest --output-on-failure -j"$(nproc)" "$@"
# Then each fuzz target a little while over its seeds (not when the tests
# were narrowed down).
if [ ${#mode[@]} -gt 0 ] && [ $# -eq 0 ]; then "$root/scripts/fuzz.sh" "$dir"; fi
