#!/usr/bin/env bash
# The whole run against its floor: the program and the floor program, each
# copied alone into its own fresh folder, run many times by hyperfine with no
# shell in between and no display (the program then uses its console window).
#
#   bench/whole_run.sh [rounds] [runs per round] [other program ...]
#
# Default 10 rounds of 30 runs of each command (after 10 warm-up runs per
# round). hyperfine times one command's runs back to back; on a shared
# machine the disk and the processors change speed from minute to minute, so
# the commands take turns round by round, in a rotating order, and the
# figures are pooled. Other programs given (for instance the program built
# from an earlier commit) join the comparison, each in a folder of its own.
# Builds a Release tree in build-bench/ and leaves every round's JSON in
# build-bench/whole_run/.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-10}
runs=${2:-30}
shift 2 || shift $#
. bench/release_build.sh
release_build scenario scenario_floor

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. bench/copies.sh
copy_programs "$@"

out=build-bench/whole_run
rm -rf "$out"
mkdir -p "$out"
n=${#names[@]}
for ((r = 0; r < rounds; r++)); do
  commands=()
  for ((k = 0; k < n; k++)); do
    j=$(((k + r) % n))
    commands+=(--command-name "${names[j]}" "${paths[j]}")
  done
  env -u DISPLAY -u WAYLAND_DISPLAY hyperfine -N --style none --warmup 10 --runs "$runs" \
    --export-json "$out/round$r.json" "${commands[@]}" >/dev/null
done

python3 - "$out" "$rounds" "$runs" <<'PY'
import glob, json, statistics, sys
out, rounds, runs = sys.argv[1], sys.argv[2], sys.argv[3]
times, user, system, per_round = {}, {}, {}, []
for f in sorted(glob.glob(out + "/round*.json")):
    medians = {}
    for r in json.load(open(f))["results"]:
        c = r["command"]
        times.setdefault(c, []).extend(r["times"])
        user.setdefault(c, []).append(r["user"])
        system.setdefault(c, []).append(r["system"])
        medians[c] = r["median"]
    per_round.append(medians)
print(f"{rounds} rounds of {runs} runs of each command, pooled:")
floor = statistics.median(times["floor"])
for c, t in times.items():
    q = statistics.quantiles(t, n=4)
    m = statistics.median(t)
    ratios = sorted(p[c] / p["floor"] for p in per_round)
    print(f"  {c}: median {1e3*m:.2f} ms (quartiles {1e3*q[0]:.2f}-{1e3*q[2]:.2f}, min {1e3*min(t):.2f}, "
          f"max {1e3*max(t):.2f}); user {1e3*statistics.mean(user[c]):.2f} ms, system "
          f"{1e3*statistics.mean(system[c]):.2f} ms; {m/floor:.2f} x floor "
          f"(round by round {ratios[0]:.2f}-{ratios[-1]:.2f})")
PY
