#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Idempotent; prints nothing when everything is already there.
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
