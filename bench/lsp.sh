#!/usr/bin/env bash
# The language server's benchmarks (Google Benchmark) on a Release build:
# a didChange to its published diagnostics, and a hover while a compile runs.
#
#   bench/lsp.sh [benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/release_build.sh
release_build scenario_lsp_bench
build-bench/bench/scenario_lsp_bench "$@"
