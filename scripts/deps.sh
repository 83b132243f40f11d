#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, running and testing Tessaria need, if missing.
# With --package only those that building the Debian package needs; with --fuzz also Debian's
# clang and libFuzzer (compiler-rt), for scripts/fuzz.sh.
set -euo pipefail

# What building the programs and their package needs (alone with --package, for
# scripts/package.sh): compilers, Qt, CPack's helpers (dpkg-shlibdeps, file) and git, whose
# history gives the package its version.
packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-base-dev-tools libgl-dev pkg-config libxcb1-dev
  dpkg-dev file git
)
if [ "${1:-}" != "--package" ]; then
  packages+=(
  qt6-qpa-plugins fonts-liberation
  # Arabic and Chinese, which Liberation lacks, for the language files of those scripts.
  fonts-kacst-one fonts-wqy-microhei
  # Building and checking the Debian package (the packaging_deb test).
  dpkg-dev file lintian appstream desktop-file-utils inotify-tools
  # The test of "STAMPA" prints through a cupsd of its own onto a cups-pdf queue and reads the
  # PDF back with poppler's tools.
  cups printer-driver-cups-pdf poppler-utils
  # The start without a window manager (window_nowindowmanager) runs on a bare X server.
  xvfb x11-utils
  # The accessibility check (window_atspi) reads the program through AT-SPI on a session bus of
  # its own, with keys sent by xdotool.
  dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0 xdotool
  # A scheme folder that stops answering (window_slowfolder) is a FUSE file system.
  libfuse3-dev fuse3
  # Looking at the editor on screen and its end-to-end test: a window manager, screenshots.
  openbox imagemagick
  )
fi
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
