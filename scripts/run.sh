#!/usr/bin/env bash
# Builds everything, makes a demo ROM when none is given, and opens it in the
# editor's window. Without a display the editor draws its first frame into
# build/kora-editor.png instead and says so.
# Usage: scripts/run.sh [ROM]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$("$root/scripts/build.sh" | tail -n 1)
rom="${1:-}"
if [ -z "$rom" ]; then
  rom="$dir/demo.nds"
  [ -f "$rom" ] || "$dir/kora/kora-cli" make-demo-rom "$rom"
fi
cd "$dir"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  # An X server that cannot be reached makes the editor draw the picture
  # itself (build/kora-editor.png), saying so.
  exec "$dir/kora/kora-editor" "$rom"
fi
echo "run.sh: no display (DISPLAY is not set); drawing the window into a picture instead" >&2
"$dir/kora/kora-editor" --snapshot "$dir/kora-editor.png" "$rom"
