#!/usr/bin/env bash
# The stage micro-benchmarks (Google Benchmark) on a Release build.
#
#   bench/stages.sh [benchmark options]
#
# e.g. bench/stages.sh --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/release_build.sh
release_build scenario_stage_bench
build-bench/bench/scenario_stage_bench "$@"
