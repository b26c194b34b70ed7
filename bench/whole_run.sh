#!/usr/bin/env bash
# The whole run against its floor: the program and the floor program, each
# copied alone into its own fresh folder, run many times by hyperfine with no
# shell in between. The program's console window keeps the runs headless.
#
#   bench/whole_run.sh [runs]        (default 300 runs of each, 30 warm-up runs)
#
# Builds a Release tree in build-bench/ and leaves hyperfine's tables in
# build-bench/whole_run.{md,json}.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-300}
scripts/setup.sh --bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target scenario scenario_floor

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/main" "$work/floor"
cp build-bench/app/scenario "$work/main/scenario"
cp build-bench/bench/scenario_floor "$work/floor/scenario_floor"

hyperfine -N --warmup 30 --runs "$runs" \
  --export-markdown build-bench/whole_run.md --export-json build-bench/whole_run.json \
  --command-name program "$work/main/scenario" \
  --command-name floor "$work/floor/scenario_floor"
