#!/usr/bin/env bash
# Takes the README's screenshot of the real window: the editor on a private
# Xvfb under Openbox, driven through X input by the test that opens the demo
# ROM and picks a character (EditorXvfbTest), which saves the window with a
# margin of desktop around it. Writes docs/screenshot.png.
# Usage: scripts/screenshot.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$("$root/scripts/build.sh" | tail -n 1)
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
KORA_ARTIFACTS="$shots" "$dir/tests/xvfb/test_xvfb" --gtest_filter='EditorXvfbTest.*' >"$shots/log.txt" 2>&1 || {
  cat "$shots/log.txt" >&2
  echo "screenshot.sh: the test that takes the screenshot failed" >&2
  exit 1
}
if [ ! -f "$shots/xvfb-editor-window.png" ]; then
  echo "screenshot.sh: no screenshot was taken (is Xvfb installed? scripts/install-deps.sh installs it)" >&2
  exit 1
fi
mkdir -p "$root/docs"
cp "$shots/xvfb-editor-window.png" "$root/docs/screenshot.png"
echo "$root/docs/screenshot.png"
