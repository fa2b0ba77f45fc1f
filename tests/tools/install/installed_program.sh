#!/usr/bin/env bash
# Installs the build into a fresh prefix, makes the prefix read-only and, as a
# user who is not root (nobody, when the tests run as root) with a fresh home:
# asks both programs for --version and --help, makes a demo ROM with the
# installed kora-cli, draws the installed editor's window, opens, edits and
# saves the ROM through that window on the headless screen, and checks that
# the working files went to the user's cache and nothing new to the prefix.
# A program folder whose RomData/ may not be written works in the cache too.
# Usage: installed_program.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
app=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

top=$(mktemp -d /tmp/kora-install.XXXXXX)
chmod 755 "$top"
cleanup() {
  chmod -R u+w "$top" 2>/dev/null || true
  rm -rf "$top"
}
trap cleanup EXIT
prefix=$top/prefix
home=$top/home
mkdir -p "$home"

cmake --install "$build" --prefix "$prefix" >"$top/install.log" || {
  cat "$top/install.log" >&2
  fail "cmake --install failed"
}
for f in bin/kora-editor bin/kora-cli lib/kora-editor/agblz share/kora-editor/Data/Char.dat \
  share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
  share/icons/hicolor/scalable/apps/$app.svg share/man/man1/kora-editor.1 share/man/man1/kora-cli.1; do
  [ -e "$prefix/$f" ] || fail "the install has no $f"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/$app.png
  [ -f "$icon" ] || fail "no ${size}px icon"
  [ "$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')" = "$(printf '%08x%08x' "$size" "$size")" ] ||
    fail "the ${size}px icon is not ${size} x ${size}"
done

# The desktop entry and the AppStream data, where the validators are installed.
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "the desktop entry does not validate"
else
  echo "desktop-file-validate is not installed; the desktop entry is not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app.metainfo.xml" ||
    fail "the metainfo does not validate"
else
  echo "appstreamcli is not installed; the metainfo is not validated"
fi

chmod -R a-w "$prefix"
listing() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
listing >"$top/before.txt"

# The user: nobody when root runs the tests, else the one who runs them.
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
else
  as_user=()
fi
run() {
  "${as_user[@]}" env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"
}

[ "$(run "$prefix/bin/kora-editor" --version)" = "$(run "$prefix/bin/kora-cli" --version | sed 's/kora-cli/kora-editor/')" ] ||
  fail "the two programs disagree on their version"
run "$prefix/bin/kora-editor" --version | grep -Eq '^kora-editor [0-9]+\.[0-9]+\.[0-9]+$' || fail "kora-editor --version"
for program in kora-editor kora-cli; do
  out=$(run "$prefix/bin/$program" --help) || fail "$program --help did not exit 0"
  grep -q '^usage: ' <<<"$out" || fail "$program --help prints no usage"
  status=0
  run "$prefix/bin/$program" --no-such-option >"$top/out.txt" 2>"$top/err.txt" || status=$?
  [ "$status" -eq 2 ] || fail "$program with a wrong option exits $status, not 2"
  [ ! -s "$top/out.txt" ] && grep -q 'usage: ' "$top/err.txt" || fail "$program's usage error is not on stderr alone"
done

run "$prefix/bin/kora-cli" make-demo-rom "$home/demo.nds" || fail "the installed kora-cli made no demo ROM"
run "$prefix/bin/kora-editor" --snapshot "$home/window.png" "$home/demo.nds" >/dev/null ||
  fail "the installed editor drew no window"
[ "$(head -c 4 "$home/window.png" | od -An -c | tr -d ' ')" = "211PNG" ] || fail "the snapshot is not a PNG"

# Through the window: the first character's first field set to 77, applied
# with 确定 and saved with Ctrl+S, its message box answered.
cat >"$home/steps.txt" <<'STEPS'
click bsSkinEdit1
key Home
key Shift+End
type 77
click bsSkinButton1
key Ctrl+S
key Enter
shot saved.png
STEPS
chmod 644 "$home/steps.txt"
(cd "$home" && run "$prefix/bin/kora-editor" --snapshot "$home/edited.png" --play "$home/steps.txt" "$home/demo.nds" \
  >/dev/null) || fail "the installed editor could not edit and save the ROM"
[ -f "$home/saved.png" ] || fail "the steps' picture was not written"
[ -n "${KORA_ARTIFACTS:-}" ] && mkdir -p "$KORA_ARTIFACTS" && cp "$home/edited.png" "$KORA_ARTIFACTS/installed-editor-saved.png"
run "$prefix/bin/kora-cli" export "$home/demo.nds" --kind char | sed -n 2p | cut -d, -f3 | grep -qx 77 ||
  fail "the saved ROM does not hold the edited value"
[ -f "$home/demo.nds.bak" ] || fail "the first save made no backup"

# The working files were in the user's cache, for this user alone.
cache=$home/.cache/kora-editor
[ -f "$cache/kora-cli.lock" ] || fail "no working folder in the user's cache"
[ "$(stat -c %a "$cache")" = 700 ] || fail "the cache folder is open to other users"
run env XDG_CACHE_HOME="$home/xdg" "$prefix/bin/kora-cli" info "$home/demo.nds" >/dev/null || fail "kora-cli info"
[ -f "$home/xdg/kora-editor/kora-cli.lock" ] || fail "XDG_CACHE_HOME was not followed"

listing >"$top/after.txt"
diff "$top/before.txt" "$top/after.txt" >&2 || fail "something changed under the prefix"

# A program folder whose RomData/ the user may not write: the cache again.
cp -r "$build/kora" "$top/portable"
rm -rf "$top/portable/RomData"/*
chmod -R a-w "$top/portable"
rm -rf "$cache"
run "$top/portable/kora-cli" export "$home/demo.nds" --kind class >/dev/null ||
  fail "a program folder that may not be written cannot export"
[ -f "$cache/kora-cli.lock" ] || fail "a read-only program folder did not work in the cache"
[ -z "$(ls -A "$top/portable/RomData")" ] || fail "something was written into a read-only RomData/"
echo "the installed program works from a read-only prefix"
