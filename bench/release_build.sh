# Sourced by every benchmark script: builds the targets named, in Release,
# in build-bench/ (with the benchmarks), after installing what the
# benchmarks need.
release_build() {  # targets...
  scripts/setup.sh --bench
  cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_BENCH=ON >/dev/null
  cmake --build build-bench -j2 --target "$@" >/dev/null
}
