#!/usr/bin/env bash
# The whole run against its floor: the program and the floor program, each
# copied alone into its own fresh folder, run many times by hyperfine with no
# shell in between and no display (the program then uses its console window).
#
#   bench/whole_run.sh [runs] [other program ...]
#
# Default 300 runs of each after 30 warm-up runs. Other programs given (for
# instance the program built from an earlier commit) join the comparison,
# each in a folder of its own. Builds a Release tree in build-bench/ and
# leaves hyperfine's tables in build-bench/whole_run.{md,json}.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-300}
shift || true
scripts/setup.sh --bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target scenario scenario_floor >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
commands=()
add() {  # name, executable
  mkdir "$work/$1"
  cp "$2" "$work/$1/"
  commands+=(--command-name "$1" "$work/$1/$(basename "$2")")
}
add program build-bench/app/scenario
add floor build-bench/bench/scenario_floor
i=0
for other in "$@"; do
  i=$((i + 1))
  add "other$i" "$other"
done

env -u DISPLAY -u WAYLAND_DISPLAY hyperfine -N --warmup 30 --runs "$runs" \
  --export-markdown build-bench/whole_run.md --export-json build-bench/whole_run.json "${commands[@]}"

# Medians and quartiles, which hyperfine's summary leaves out.
python3 - build-bench/whole_run.json <<'PY'
import json, statistics, sys
for r in json.load(open(sys.argv[1]))["results"]:
    t = sorted(r["times"])
    q = statistics.quantiles(t, n=4)
    print(f"{r['command']}: median {1e3*r['median']:.2f} ms (quartiles {1e3*q[0]:.2f}-{1e3*q[2]:.2f}, "
          f"min {1e3*t[0]:.2f}, max {1e3*t[-1]:.2f}); user {1e3*r['user']:.2f} ms, system {1e3*r['system']:.2f} ms (means)")
PY
