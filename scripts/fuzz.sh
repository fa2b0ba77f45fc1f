#!/usr/bin/env bash
# Runs every fuzz target of a build for a short while over its seed corpus
# (tests/fuzz/corpus/<target>/) with its dictionary (tests/fuzz/dict/<target>.dict)
# where it has one. A crash, a leak, an input that runs longer than 2 s or
# one that needs more than 2 GB fails the run; the input is kept in
# <build>/fuzz/. The readers of ROMs, packed blocks and import files get
# inputs of up to 1 MB, enough to reach the faults that come with size.
# Usage: scripts/fuzz.sh [BUILD_DIR] [SECONDS_PER_TARGET]
#   (defaults: build-asan, $KORA_FUZZ_SECONDS or 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(cd "${1:-$root/build-asan}" && pwd)
seconds=${2:-${KORA_FUZZ_SECONDS:-15}}
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

targets=()
for src in "$root"/tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
failed=()
for t in "${targets[@]}"; do
  exe="$dir/tests/fuzz/$t"
  if [ ! -x "$exe" ]; then
    echo "fuzz: $exe is missing (a build with -DKORA_FUZZ=ON makes it)" >&2
    failed+=("$t")
    continue
  fi
  out="$dir/fuzz/$t"
  # New inputs go to a scratch folder: the seeds in the repository stay as they are.
  rm -rf "$out/corpus"
  mkdir -p "$out/corpus"
  args=("$out/corpus" "$root/tests/fuzz/corpus/$t" -max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048
    -print_final_stats=1 -artifact_prefix="$out/")
  case "$t" in
    fuzz_rom_block | fuzz_record_import | fuzz_packer_input) args+=(-max_len=1048576) ;;
  esac
  [ -f "$root/tests/fuzz/dict/$t.dict" ] && args+=(-dict="$root/tests/fuzz/dict/$t.dict")
  if "$exe" "${args[@]}" >"$out/log.txt" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/log.txt")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$out/log.txt")
    cov=$(grep -o 'cov: [0-9]*' "$out/log.txt" | tail -n 1 | cut -d' ' -f2)
    echo "fuzz: $t: ${runs:-?} inputs in ${seconds}s (${rate:-?}/s), ${cov:-?} edges covered"
  else
    echo "fuzz: $t FAILED; the log follows, the input is in $out/" >&2
    tail -n 60 "$out/log.txt" >&2
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]}" >&2
  exit 1
fi
