#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Idempotent and quiet: when everything is present it prints nothing and
# touches nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libpng-dev libtiff-dev libgif-dev zlib1g-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins fonts-dejavu-core
  libxcb1-dev libxcb-xtest0-dev libx11-dev libxss-dev
  xvfb xauth xdotool x11-apps imagemagick python3-xlib dbus-daemon
  xsecurelock lintian
  qt6-wayland weston
  libwebp-dev libheif-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
