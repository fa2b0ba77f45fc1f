#!/usr/bin/env bash
# Runs the real-window and whole-program tests again and again on a machine
# kept busy by two endless loops, the way CI's two loaded cores see them,
# and counts what failed and what hung. A flaky test is a failing test with
# a cause: this finds them.
# Usage: scripts/flake-hunt.sh [BUILD_DIR] [RUNS] [WHOLE_RUNS]
#   RUNS times the labels xvfb and e2e through ctest (default 30), then each
#   real-window test binary whole WHOLE_RUNS times (default 5). Logs of the
#   failed runs go to BUILD_DIR/flake-hunt/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(cd "${1:-$root/build}" && pwd)
runs=${2:-30}
whole=${3:-5}
logs="$dir/flake-hunt"
rm -rf "$logs"
mkdir -p "$logs"
# What the failed runs showed stays for a person to look at.
export KORA_ARTIFACTS="$logs/artifacts"
mkdir -p "$KORA_ARTIFACTS"

busy=()
for _ in 1 2; do
  sh -c 'while :; do :; done' &
  busy+=($!)
done
trap 'kill "${busy[@]}" 2>/dev/null' EXIT

failures=0
hangs=0
for i in $(seq 1 "$runs"); do
  log="$logs/ctest-$i.log"
  if ! (cd "$dir" && ctest -L 'xvfb|e2e' -j2 --timeout 180 --output-on-failure >"$log" 2>&1); then
    # ctest's closing list names each failed test once: "  12 - Name (Failed)".
    listed=$(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (\(.*\))$/\2: \1/p' "$log")
    timed=$(printf '%s\n' "$listed" | grep -c '^Timeout:')
    failed=$(printf '%s\n' "$listed" | grep -vc -e '^Timeout:' -e '^$')
    failures=$((failures + failed))
    hangs=$((hangs + timed))
    echo "run $i: $(printf '%s\n' "$listed" | sed 's/  # GetParam.*//' | tr '\n' ';')"
  else
    rm -f "$log"
  fi
done

whole_failures=0
whole_hangs=0
for exe in "$dir"/tests/xvfb/test_*; do
  [ -x "$exe" ] || continue
  for i in $(seq 1 "$whole"); do
    log="$logs/$(basename "$exe")-$i.log"
    timeout 300 "$exe" >"$log" 2>&1
    status=$?
    if [ $status -eq 124 ]; then
      whole_hangs=$((whole_hangs + 1))
      echo "$(basename "$exe") run $i: hung (killed after 300 s)"
    elif [ $status -ne 0 ]; then
      whole_failures=$((whole_failures + 1))
      echo "$(basename "$exe") run $i: exit $status: $(grep -E '^\[  FAILED  \]' "$log" | head -5 | tr '\n' ';')"
    else
      rm -f "$log"
    fi
  done
done

echo "flake-hunt: $runs runs of the xvfb and e2e labels: $failures failed tests, $hangs hangs"
echo "flake-hunt: $whole whole runs of each real-window binary: $whole_failures failed, $whole_hangs hung"
[ $((failures + hangs + whole_failures + whole_hangs)) -eq 0 ]
