#!/usr/bin/env bash
# concurrent_compiles_test.sh SCENARIO_TOOL TEXTS_DIR: two compiles of
# different texts into one folder, started together, round after round. Both
# exit 0, and the folder then holds exactly one of the two sets, whole, and no
# scratch file.
set -uo pipefail

fail() { echo "FAIL: $*"; exit 1; }
[ $# -eq 2 ] || fail "usage: $0 SCENARIO_TOOL TEXTS_DIR"
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$2/line.txt" "$2/service.txt" "$work/"
# The other texts: the same route with one timetable speed changed.
sed 's/velocita,    1000,   125/velocita,    1000,   105/' "$2/service.txt" >"$work/service-b.txt"
cmp -s "$work/service.txt" "$work/service-b.txt" && fail "the second service text is not different"

names=("Valmora - Dorvane_linea.dat" "Valmora - Dorvane_ICN 853.sim" "Valmora - Dorvane_ICN 853.dat")
for set in a b; do
  mkdir "$work/ref-$set"
  service=service.txt
  [ $set = b ] && service=service-b.txt
  "$tool" compile "$work/line.txt" "$work/$service" -o "$work/ref-$set" >/dev/null 2>&1 || fail "reference compile $set failed"
done
cmp -s "$work/ref-a/${names[2]}" "$work/ref-b/${names[2]}" && fail "the two sets have the same grid"

mkdir "$work/shared"
for round in $(seq 1 25); do
  "$tool" compile "$work/line.txt" "$work/service.txt" -o "$work/shared" >/dev/null 2>"$work/a.err" &
  a=$!
  "$tool" compile "$work/line.txt" "$work/service-b.txt" -o "$work/shared" >/dev/null 2>"$work/b.err" &
  b=$!
  wait $a || fail "round $round: compile a failed: $(cat "$work/a.err")"
  wait $b || fail "round $round: compile b failed: $(cat "$work/b.err")"
  whole=""
  for set in a b; do
    same=1
    for n in "${names[@]}"; do cmp -s "$work/shared/$n" "$work/ref-$set/$n" || same=0; done
    [ $same = 1 ] && whole=$set
  done
  [ -n "$whole" ] || fail "round $round: the folder holds a mix of the two sets"
  [ "$(ls -A "$work/shared" | wc -l)" = 3 ] || fail "round $round: left $(ls -A "$work/shared")"
done
echo "ok"
