#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# With --windows also what the Windows cross build and its tests under Wine
# need. Idempotent; prints nothing when everything is already there.
# Usage: scripts/install-deps.sh [--windows]
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang-format
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libfreetype-dev libfontconfig-dev
  libsdl2-dev libx11-dev libxext-dev libxtst-dev
  xvfb xauth x11-utils openbox
  fonts-arphic-uming fonts-liberation2
  desktop-file-utils appstream dpkg-dev file
)
if [ "${1:-}" = "--windows" ]; then
  # MinGW-w64 (posix threads) with its zlib, GoogleTest's sources to build
  # for it, Wine to run the programs and their tests, zip for the package.
  packages+=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest wine64 zip)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "install-deps: installing ${missing[*]}" >&2
$sudo apt-get update -qq >/dev/null
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
