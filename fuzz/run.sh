#!/usr/bin/env bash
# Builds the fuzz targets and runs one of them.
#   fuzz/run.sh TARGET SECONDS [libFuzzer options...]
# TARGET is line, service, compile or lsp. The committed seeds in fuzz/corpus/TARGET
# are read; new inputs go to build-fuzz/corpus/TARGET. A crash, a sanitizer
# report, a broken invariant, a timeout or running out of memory ends the run
# with a non-zero status and leaves the input in build-fuzz/findings/.
# SCENARIO_FUZZ_SANITIZERS (default address,undefined) picks the sanitizers of a
# new build folder; long runs of the compile target use "undefined" in a folder
# of their own (SCENARIO_FUZZ_BUILD), at about three times the speed. Every
# build checks the standard containers' bounds (_GLIBCXX_ASSERTIONS).
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?target: line, service, compile or lsp}
seconds=${2:?seconds}
shift 2
build=${SCENARIO_FUZZ_BUILD:-build-fuzz}
fuzz/build.sh "$target"
mkdir -p "$build/corpus/$target" "$build/findings"
exec "$build/fuzz/fuzz_$target" "$build/corpus/$target" "fuzz/corpus/$target" \
  -dict="fuzz/$target.dict" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=16384 -artifact_prefix="$build/findings/$target-" -print_final_stats=1 "$@"
