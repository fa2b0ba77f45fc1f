#!/usr/bin/env bash
# Builds everything and runs every test. Rendering tests write their PNGs to
# $KORA_ARTIFACTS (default: build/artifacts). With --sanitize the fuzz targets
# run briefly afterwards (scripts/fuzz.sh). With --windows: the Windows build
# (build-win/) and its layers' tests under Wine, then the Linux build's tests
# that drive the Windows programs under Wine (label wine), which fail rather
# than skip when they cannot run.
# Usage: scripts/test.sh [--sanitize | --windows] [extra ctest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=()
if [ "${1:-}" = "--sanitize" ] || [ "${1:-}" = "--windows" ]; then mode=("$1"); shift; fi
dir=$("$root/scripts/build.sh" "${mode[@]}" | tail -n 1)
export KORA_ARTIFACTS="${KORA_ARTIFACTS:-$dir/artifacts}"
mkdir -p "$KORA_ARTIFACTS"
if [ "${mode[*]}" = "--windows" ]; then
  linux=$("$root/scripts/build.sh" | tail -n 1)
  # Wine's server and services come up once, before the cases start in
  # parallel.
  "$root/scripts/wine-run.sh" "$dir/kora/kora-cli.exe" --version > /dev/null
  # A case under Wine mostly waits for Wine's processes: twice as many at
  # once as there are cores.
  (cd "$dir" && ctest --output-on-failure -j"$((2 * $(nproc)))" "$@")
  cd "$linux"
  KORA_REQUIRE_WINDOWS=1 ctest --output-on-failure -L wine "$@"
  exit 0
fi
if [ ${#mode[@]} -gt 0 ]; then
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
cd "$dir"
if [ ${#mode[@]} -gt 0 ]; then
  # The Windows programs are the Linux build's to drive (scripts/test.sh --windows).
  ctest --output-on-failure -j"$(nproc)" -LE wine "$@"
else
  ctest --output-on-failure -j"$(nproc)" "$@"
fi
# Then each fuzz target a little while over its seeds (not when the tests
# were narrowed down).
if [ ${#mode[@]} -gt 0 ] && [ $# -eq 0 ]; then "$root/scripts/fuzz.sh" "$dir"; fi
