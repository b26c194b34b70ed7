#!/usr/bin/env bash
# Configures (once) and builds fuzz targets, showing the build's output.
#   fuzz/build.sh TARGET...   (line, service, compile, ...)
# SCENARIO_FUZZ_BUILD names the build folder (default build-fuzz);
# SCENARIO_FUZZ_SANITIZERS (default address,undefined) the sanitizers of a new one.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${SCENARIO_FUZZ_BUILD:-build-fuzz}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSCENARIO_FUZZ=ON -DSCENARIO_TESTS=OFF -DSCENARIO_BENCH=OFF -DSCENARIO_DESKTOP=OFF \
    -DSCENARIO_SANITIZERS="${SCENARIO_FUZZ_SANITIZERS:-address,undefined}" \
    -DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS
fi
targets=()
for t in "$@"; do targets+=(--target "fuzz_$t"); done
cmake --build "$build" "${targets[@]}"
