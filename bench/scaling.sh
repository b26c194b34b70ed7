#!/usr/bin/env bash
# How the compile grows with the route: generated routes of 100, 300 and
# 1000 km (or the lengths given), each compiled on disk and set against its
# floor, run by run, then once more in fresh processes for peak memory.
#
#   bench/scaling.sh [runs] [km ...]     (default 41 runs; 100 300 1000 km)
#
# Builds a Release tree in build-bench/ and prints a Markdown table. With
# SCALING_EXE set, that scaling program is used instead (for instance one
# built from an earlier commit).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-41}
shift || true
lengths=("$@")
[ ${#lengths[@]} -gt 0 ] || lengths=(100 300 1000)
. bench/release_build.sh
release_build scenario_scaling
exe=${SCALING_EXE:-build-bench/bench/scenario_scaling}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The value of key $2 in the key=value line $1.
field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }
range() { echo "$(field "$1" "$2_median") ($(field "$1" "$2_q1")–$(field "$1" "$2_q3"))"; }

echo "| route | texts | binary files | compile ms | floor ms | compile / floor | compile CPU ms | floor CPU ms | peak compile MiB | peak floor MiB | bare process MiB |"
echo "|---|---|---|---|---|---|---|---|---|---|---|"
for km in "${lengths[@]}"; do
  t=$("$exe" "$km" "$work/$km" "$runs")
  pc=$("$exe" "$km" "$work/$km" --peak compile)
  pf=$("$exe" "$km" "$work/$km" --peak floor)
  pn=$("$exe" "$km" "$work/$km" --peak none)
  echo "| $km km | $(field "$t" text_bytes) B | $(field "$t" output_bytes) B | $(range "$t" compile_ms) | $(range "$t" floor_ms) | $(range "$t" ratio) | $(range "$t" compile_cpu_ms) | $(range "$t" floor_cpu_ms) | $(field "$pc" compile_peak_rss_mib) | $(field "$pf" floor_peak_rss_mib) | $(field "$pn" none_peak_rss_mib) |"
done
echo
echo "Medians of $runs runs each, quartiles in brackets; compile and floor alternate run by run."
