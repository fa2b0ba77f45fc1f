#!/usr/bin/env bash
# Dependencies point down only: platform -> framework -> skin -> editor -> app.
# Fails when a file includes a header of a higher layer, or when code above the
# backends includes a backend or SDL header.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/src" || exit 1
status=0
check() { # layer, forbidden include pattern
  local layer=$1 pattern=$2
  [ -d "$layer" ] || return 0
  local hits
  hits=$(grep -rnE "#include [\"<]($pattern)" "$layer" --include='*.h' --include='*.cpp' \
         | grep -v "^platform/backends/" || true)
  if [ -n "$hits" ]; then
    echo "layer violation in $layer:"; echo "$hits"; status=1
  fi
}
check platform  'framework/|skin/|editor/|app/|SDL'
check framework 'skin/|editor/|app/|platform/backends/|SDL'
check skin      'editor/|app/|platform/backends/|SDL'
check editor    'app/|platform/backends/|SDL'
# Backends may include SDL, but never anything above the platform.
if [ -d platform/backends ]; then
  hits=$(grep -rnE '#include ["<](framework|skin|editor|app)/' platform/backends || true)
  [ -n "$hits" ] && { echo "layer violation in platform/backends:"; echo "$hits"; status=1; }
fi
[ $status -eq 0 ] && echo "layers: ok"
exit $status
