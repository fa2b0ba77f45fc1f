#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine: the emulator CTest
# and gtest_discover_tests put before every test command of build-win/.
# One Wine prefix per build folder (made on first use), Wine's own chatter
# off, the program's exit code passed on, its output once it has ended.
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
# Wine's server and its services stay up a while after a program ends, so
# that the next one (the next test) does not start them all again; without
# this every test case pays seconds for it. They are started here, away
# from the program's output: whoever reads that (CTest) must not wait for
# them to end.
"${KORA_WINESERVER:-/usr/lib/wine/wineserver}" -p"${KORA_WINE_IDLE:-30}" < /dev/null > /dev/null 2>&1 || true
"$wine" wineboot < /dev/null > /dev/null 2>&1 || true
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}
# The program's output goes through files of our own: a process Wine starts
# on the way (its desktop, on the first window call) inherits them instead of
# our caller's pipes, which it would hold open for as long as it lives.
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0
"$wine" "$@" > "$out" 2> "$err" < /dev/null || status=$?
cat "$out"
cat "$err" >&2
exit "$status"
