#!/usr/bin/env bash
# The run's own work as a count of user-space instructions: callgrind (from
# Debian's valgrind) counts every instruction the process executes, from the
# dynamic loader's first to exit, the same on every run and whatever else the
# machine is doing. What the kernel does (page faults, file traffic) is not
# counted: that is what the timed comparisons (whole_run.sh, tmpfs_run.sh) see.
#
#   bench/instructions.sh [other program ...]
#
# Counts the built-in run of the program and of the floor, each copied alone
# into a fresh folder with no display, then any other programs given (say
# the program built from an earlier commit). For each: the total, the share
# of the dynamic loader, of the C library and of the program's own code, and
# the program's ten costliest functions (a C++ runtime linked in counts as
# the program's own). Builds a Release tree in build-bench/
# and leaves the callgrind files in build-bench/instructions/.
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/release_build.sh
release_build scenario scenario_floor

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=build-bench/instructions
rm -rf "$out"
mkdir -p "$out"

count() {  # name, executable
  mkdir "$work/$1"
  cp "$2" "$work/$1/"
  (cd "$work/$1" && env -u DISPLAY -u WAYLAND_DISPLAY valgrind --tool=callgrind \
     --callgrind-out-file="$PWD/../$1.callgrind" "./$(basename "$2")" >/dev/null 2>"$work/$1.log") ||
    { cat "$work/$1.log"; exit 1; }
  cp "$work/$1.callgrind" "$out/"
  callgrind_annotate "$out/$1.callgrind" 2>/dev/null | python3 -c '
import re, sys
name = sys.argv[1]
total, parts, own = 0, {"loader": 0, "C library": 0, "C++ runtime (shared)": 0, "program": 0}, []
for line in sys.stdin:
    m = re.match(r"\s*([\d,]+) \(\s*[\d.]+%\)\s+(.*?)(?: \[(/[^]]*)\])?$", line.rstrip())
    if not m:
        continue
    n, where, obj = int(m.group(1).replace(",", "")), m.group(2), m.group(3) or ""
    if where == "PROGRAM TOTALS":
        total = n
        continue
    # Inlined code has no object: the source file tells whose it is.
    if "ld-linux" in obj or (not obj and where.startswith("./elf/")):
        parts["loader"] += n
    elif "libc.so" in obj or "libm.so" in obj or (not obj and where.startswith("./")):
        parts["C library"] += n
    elif "libstdc++" in obj or "libgcc_s" in obj:
        parts["C++ runtime (shared)"] += n
    else:
        parts["program"] += n
        own.append((n, where.split(":", 1)[-1]))
print(f"{name}: {total:,} instructions")
for k, v in parts.items():
    if v:
        print(f"  {k:21s} {v:>10,} ({100 * v / total:4.1f} %)")
print("  costliest functions of the program:")
for n, what in sorted(own, reverse=True)[:10]:
    print(f"    {n:>9,}  {what[:100]}")
' "$1"
}

count program build-bench/app/scenario
count floor build-bench/bench/scenario_floor
i=0
for other in "$@"; do
  i=$((i + 1))
  count "other$i" "$other"
done
