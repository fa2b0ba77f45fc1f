#!/usr/bin/env bash
# Builds everything, makes a demo ROM when none is given, and shows its data.
# Usage: scripts/run.sh [ROM]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$("$root/scripts/build.sh" | tail -n 1)
rom="${1:-}"
if [ -z "$rom" ]; then
  rom="$dir/demo.nds"
  [ -f "$rom" ] || "$dir/kora/kora-cli" make-demo-rom "$rom"
fi
"$dir/kora/kora-cli" info "$rom"
"$dir/kora/kora-cli" export "$rom"
