#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tessaria need, if missing.
# With --fuzz also Debian's clang and libFuzzer (compiler-rt), for scripts/fuzz.sh.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins pkg-config libxcb1-dev
  fonts-liberation
  # Building and checking the Debian package (the packaging_deb test).
  dpkg-dev file lintian appstream desktop-file-utils inotify-tools
  # The test of "STAMPA" prints through a cupsd of its own onto a cups-pdf queue and reads the
  # PDF back with poppler's tools.
  cups printer-driver-cups-pdf poppler-utils
  # The start without a window manager (window_nowindowmanager) runs on a bare X server.
  xvfb x11-utils
  # Looking at the editor on screen and its end-to-end test: a window manager, screenshots,
  # typed keys.
  openbox imagemagick xdotool
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
