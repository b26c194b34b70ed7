#!/usr/bin/env bash
# The live route sheet in Chromium: save-to-updated-page on a generated
# 1000 km route (route_gen.h), and a fresh load of the built-in scenario's
# page. Prints a Markdown table of medians, quartiles and the worst run.
#
#   bench/live_sheet.sh [runs]     (default 21)
#
# Builds a Release tree in build-bench/; needs the system's Chromium and
# playwright-core (scripts/setup.sh installs both).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
. bench/release_build.sh
release_build scenario-tool scenario_route_texts
tool=build-bench/tools/scenario-tool

work=$(mktemp -d)
servers=()
cleanup() {
  for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Serves the texts of folder $1 (in this shell, so that the cleanup knows it).
serve() {
  "$tool" serve "$1/Valmora - Dorvane_linea.txt" "$1/Valmora - Dorvane_ICN 853-.txt" >"$1.out" 2>&1 &
  servers+=($!)
}

# The address the server of folder $1 printed.
address() {
  for _ in $(seq 100); do
    grep -so 'http://127\.0\.0\.1:[0-9]*/' "$1.out" && return
    sleep 0.1
  done
  echo "serve printed no address" >&2
  exit 1
}

mkdir "$work/long"
build-bench/bench/scenario_route_texts 1000 "$work/long"
"$tool" init "$work/built-in" >/dev/null
serve "$work/long"
serve "$work/built-in"
long_url=$(address "$work/long")
built_in_url=$(address "$work/built-in")
CHROMIUM=${CHROMIUM:-/usr/bin/chromium} node bench/live_sheet.mjs \
  "$long_url" "$work/long/Valmora - Dorvane_ICN 853-.txt" "$built_in_url" "$runs"
