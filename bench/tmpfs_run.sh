#!/usr/bin/env bash
# The whole run against its floor where flushing costs nothing: both programs
# copied into their own folders on a tmpfs (/dev/shm), so fsync and rename
# return at once and what is left is the programs' own work (start-up,
# computing, copying bytes into the page cache).
#
#   bench/tmpfs_run.sh [series] [pairs] [other program ...]   # default 3 × 40
#
# A pair is one hyperfine call timing the program and the floor (5 runs each
# after 2 warm-ups, no shell); the order within a pair alternates. Each series
# reports the median of its pair ratios (program median / floor median) with
# their quartiles, so that a slow moment of the shared machine falls on both
# sides of a ratio. Other programs given are timed against the same floor in
# the same pairs. Builds a Release tree in build-bench/.
set -euo pipefail
cd "$(dirname "$0")/.."
series=${1:-3}
pairs=${2:-40}
shift 2 || shift $#
. bench/release_build.sh
release_build scenario scenario_floor

[ -d /dev/shm ] && [ "$(stat -f -c %T /dev/shm)" = tmpfs ] || { echo "tmpfs_run: /dev/shm is not a tmpfs" >&2; exit 1; }
work=$(mktemp -d -p /dev/shm)
trap 'rm -rf "$work"' EXIT
. bench/copies.sh
copy_programs "$@"

out=build-bench/tmpfs_run
rm -rf "$out"
mkdir -p "$out"
n=${#names[@]}
for ((s = 0; s < series; s++)); do
  for ((p = 0; p < pairs; p++)); do
    commands=()
    for ((k = 0; k < n; k++)); do
      j=$(((k + p) % n))
      commands+=(--command-name "${names[j]}" "${paths[j]}")
    done
    env -u DISPLAY -u WAYLAND_DISPLAY hyperfine -N --style none --warmup 2 --runs 5 \
      --export-json "$out/series${s}_pair$p.json" "${commands[@]}" >/dev/null 2>>"$out/hyperfine.log"
  done
done

python3 - "$out" "$series" "$pairs" <<'PY'
import glob, json, statistics, sys
out, series, pairs = sys.argv[1], int(sys.argv[2]), sys.argv[3]
print(f"tmpfs: {series} series of {pairs} pairs (5 runs of each command a pair), median of the pair ratios:")
for s in range(series):
    ratios, times, cpu = {}, {}, {}
    for f in glob.glob(f"{out}/series{s}_pair*.json"):
        res = {r["command"]: r for r in json.load(open(f))["results"]}
        for c, r in res.items():
            times.setdefault(c, []).append(r["median"])
            cpu.setdefault(c, []).append(r["user"] + r["system"])
            if c != "floor":
                ratios.setdefault(c, []).append(r["median"] / res["floor"]["median"])
    line = [f"  series {s + 1}: floor {1e3 * statistics.median(times['floor']):.2f} ms "
            f"(cpu {1e3 * statistics.mean(cpu['floor']):.2f} ms)"]
    for c, rs in ratios.items():
        q = statistics.quantiles(rs, n=4)
        line.append(f"{c} {1e3 * statistics.median(times[c]):.2f} ms (cpu {1e3 * statistics.mean(cpu[c]):.2f} ms), "
                    f"{statistics.median(rs):.2f} x floor (quartiles {q[0]:.2f}-{q[2]:.2f})")
    print("; ".join(line))
PY
