#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine: the emulator CTest
# and gtest_discover_tests put before every test command of build-win/.
# One Wine prefix per build folder (made on first use), Wine's own chatter
# off, the program's exit code passed on.
# Usage: scripts/wine-run.sh PROGRAM.exe [ARG...]
set -euo pipefail
wine=${KORA_WINE:-/usr/lib/wine/wine64}
if [ -z "${WINEPREFIX:-}" ]; then
  # The build folder is the one above the program's (kora/, kora/Tool, tests/...).
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ "$dir" = / ] && dir=${TMPDIR:-/tmp}
  export WINEPREFIX="$dir/wine-prefix"
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}
exec "$wine" "$@"
