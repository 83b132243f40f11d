#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package for an administrator: installs only what the build needs, makes an
# optimised build of the installed programs alone (no tests, no benchmarks) in build-package/,
# runs cpack -G DEB there and prints the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --package

dir=build-package
# Optimised as Debian builds its own packages (-O2; GCC 12 warns falsely inside std::string at
# -O3, and warnings are errors), without debug information, which the package strips anyway.
flags=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DTESSARIA_TESTS=OFF)
# Several builds on one machine share their compiled objects through ccache where it is there.
if command -v ccache > /dev/null; then
  flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}"
cmake --build "$dir"
rm -f "$dir"/*.deb
(cd "$dir" && cpack -G DEB)
deb=$(ls "$dir"/*.deb)
echo
echo "The package: $(realpath "$deb")"
