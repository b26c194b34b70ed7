#!/usr/bin/env bash
# Builds the Debian package in build-deb/: a Release build on the shared C++
# runtime, as Debian's packages are, then cpack -G DEB.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_STATIC_CXX_RUNTIME=OFF \
  -DSCENARIO_TESTS=OFF -DSCENARIO_BENCH=OFF >/dev/null
cmake --build build-deb
(cd build-deb && cpack -G DEB)
