#!/usr/bin/env bash
# A short run of each fuzz target (clang, libFuzzer): any crash, sanitizer
# report, broken check, timeout or out-of-memory fails it.
#   scripts/fuzz-smoke.sh [SECONDS_PER_TARGET]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --all
seconds=${1:-60}
build=${SCENARIO_FUZZ_BUILD:-build-fuzz}
targets=(line service compile lsp)
# The build first, in the open, warnings and all; each run's own output goes to its log.
fuzz/build.sh "${targets[@]}"
mkdir -p "$build/logs"
for target in "${targets[@]}"; do
  echo "fuzz: $target for $seconds s"
  log="$build/logs/smoke-$target.log"
  status=0
  fuzz/run.sh "$target" "$seconds" >"$log" 2>&1 || status=$?
  grep -E '^(stat::|Done )' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "fuzz: $target failed (status $status); the input is in $build/findings/"
    exit 1
  fi
done
