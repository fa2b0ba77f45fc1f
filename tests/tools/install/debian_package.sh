#!/usr/bin/env bash
# Makes the Debian package from the build and checks what it installs and
# what it depends on. Usage: debian_package.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
app=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

out=$(mktemp -d /tmp/kora-deb.XXXXXX)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log" >&2
  fail "cpack made no package"
}
deb=$(ls "$out"/kora-editor_*_amd64.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no kora-editor_<version>_amd64.deb in $(ls "$out")"
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libsdl2 libfreetype libfontconfig zlib1g libc6 libstdc++6 fonts-arphic-uming fonts-liberation2; do
  grep -q "$needed" <<<"$depends" || fail "Depends names no $needed"
done

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
echo "$files"
for f in usr/bin/kora-editor usr/bin/kora-cli usr/lib/kora-editor/agblz usr/share/kora-editor/Data/Char.dat \
  usr/share/kora-editor/Image/Face usr/share/applications/$app.desktop usr/share/metainfo/$app.metainfo.xml \
  usr/share/icons/hicolor/256x256/apps/$app.png usr/share/man/man1/kora-editor.1; do
  grep -q "^\./$f" <<<"$files" || fail "the package has no /$f"
done
# Nothing but the program's own files, all under /usr.
if grep -v '^\./usr/' <<<"$files" | grep -v '^\./$'; then fail "the package installs outside /usr"; fi
