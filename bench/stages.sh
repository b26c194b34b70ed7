#!/usr/bin/env bash
# The stage micro-benchmarks (Google Benchmark) on a Release build.
#
#   bench/stages.sh [benchmark options]
#
# e.g. bench/stages.sh --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target scenario_stage_bench >/dev/null
build-bench/bench/scenario_stage_bench "$@"
