#!/usr/bin/env bash
# Configures and builds into build/ (or, with --sanitize, build-asan/: clang
# with AddressSanitizer and UndefinedBehaviorSanitizer, fuzz targets included;
# with --windows, build-win/: the Windows programs cross-built with MinGW-w64,
# laid out in build-win/kora/, and the layers' tests, which run under Wine).
# Usage: scripts/build.sh [--sanitize | --windows]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" ${1:+"$1"}

dir="$root/build"; flags=()
if [ "${1:-}" = "--windows" ]; then
  dir="$root/build-win"
  # No debugging information: it doubles the cross build's time and its
  # programs' size, and nobody debugs them under Wine from here.
  flags=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW.cmake" -DCMAKE_BUILD_TYPE=Release
    "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG")
elif [ "${1:-}" = "--sanitize" ]; then
  # clang, so that the same build links the libFuzzer targets; -O1 as the
  # sanitizers recommend, or the tests and the fuzzers crawl; line tables are
  # all the reports need.
  dir="$root/build-asan"
  flags=(-DKORA_SANITIZE=ON -DKORA_FUZZ=ON -DKORA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "-DCMAKE_C_FLAGS_DEBUG=-gline-tables-only -O1" "-DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only -O1")
  # A folder configured otherwise (the gcc sanitizer build of old) starts over.
  if [ -f "$dir/CMakeCache.txt" ] && ! { grep -q '^KORA_FUZZ:BOOL=ON' "$dir/CMakeCache.txt" &&
    grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++' "$dir/CMakeCache.txt"; }; then
    rm -rf "$dir"
  fi
fi
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" >&2
fi
cmake --build "$dir" -- -j"$(nproc)" >&2
echo "$dir"
