#!/usr/bin/env bash
# The language server's benchmarks (Google Benchmark) on a Release build:
# a didChange to its published diagnostics, and a hover while a compile runs.
#
#   bench/lsp.sh [benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target scenario_lsp_bench >/dev/null
build-bench/bench/scenario_lsp_bench "$@"
