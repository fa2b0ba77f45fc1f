#!/usr/bin/env bash
# Dependencies point down only: platform -> framework -> skin -> editor -> app.
# Inside the platform, gdi/ and text/ are drawing without windows: they never
# include window/ or shell/ (and gdi/ not text/). Inside the framework the
# rooms stand core -> graphics -> controls -> menus -> forms. Only the backends include
# SDL. Tools sit above the layers but never reach into the tests, and a test
# folder includes nothing above the layer it tests. The source layers cannot
# see a tool's header.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
status=0

# folder, forbidden include pattern [, a grep -v filter for allowed files]
check() {
  local dir=$1 pattern=$2 except=${3:-^$}
  [ -d "$dir" ] || return 0
  local hits
  hits=$(grep -rnE "#include [\"<]($pattern)" "$dir" --include='*.h' --include='*.cpp' | grep -vE "$except" || true)
  if [ -n "$hits" ]; then
    echo "layer violation in $dir:"
    echo "$hits"
    status=1
  fi
}

tools='agblz/|formc/|skinc/|kora-cli/|tools/'
sdl='SDL|X11/'

check src/platform "framework/|skin/|editor/|app/|$tools|$sdl" '^src/platform/backends/'
check src/platform/gdi 'platform/(text|window|shell|backends)/'
check src/platform/text 'platform/(window|shell|backends)/'
check src/platform/window 'platform/(shell|backends)/'
check src/platform/shell 'platform/backends/'
check src/platform/backends "(framework|skin|editor|app)/|$tools"
check src/framework "skin/|editor/|app/|platform/backends/|$tools|$sdl"
check src/framework/core 'framework/(graphics|controls|menus|forms)/'
check src/framework/graphics 'framework/(controls|menus|forms)/'
check src/framework/controls 'framework/(menus|forms)/'
check src/framework/menus 'framework/forms/'
# Every framework file lives in a room.
for f in src/framework/*.h src/framework/*.cpp; do
  [ -e "$f" ] || continue
  echo "layer violation: $f is in no room of the framework"
  status=1
done
check src/skin "editor/|app/|platform/backends/|$tools|$sdl"
check src/skin/data 'skin/(form|controls|dialogs)/'
check src/skin/controls 'skin/(form|dialogs)/'
check src/skin/form 'skin/dialogs/'
check src/editor "app/|platform/backends/|$tools|$sdl"
check src/app "$tools|$sdl"

# Tools may use any layer and the headless screen, never the tests or SDL.
check tools "(tests|xvfb)/|$sdl|platform/backends/sdl/"

# A test folder stays at or below the layer it tests; only tests/xvfb drives SDL.
check tests/platform "framework/|skin/|editor/|app/|$tools|$sdl"
check tests/framework "skin/|editor/|app/|$tools|$sdl"
check tests/skin "editor/|app/|$sdl"
check tests/editor "app/|skinc/|formc/|$sdl"
check tests/tools "$sdl"
check tests/fuzz "$sdl"
check bench "$sdl"

[ $status -eq 0 ] && echo "layers: ok"
exit $status
