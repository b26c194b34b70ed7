#!/usr/bin/env bash
# run_without_display_test.sh SCENARIO: with no DISPLAY, and with a DISPLAY no
# server answers, the program uses the console stand-in, ends with status 0
# and writes the same binary files both times.
set -uo pipefail

fail() { echo "FAIL: $*"; exit 1; }
[ $# -eq 1 ] || fail "usage: $0 SCENARIO"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A display number with no server behind it.
silent=987
while [ -e "/tmp/.X11-unix/X$silent" ]; do silent=$((silent + 1)); done

for run in unset unreachable; do
  mkdir "$work/$run"
  cp "$1" "$work/$run/scenario"
  status=0
  if [ "$run" = unset ]; then
    (cd "$work/$run" && env -u DISPLAY ./scenario >"$work/$run.out") || status=$?
  else
    (cd "$work/$run" && DISPLAY=":$silent" ./scenario >"$work/$run.out") || status=$?
  fi
  [ "$status" = 0 ] || fail "DISPLAY $run: exit status $status"
  [ "$(cat "$work/$run.out")" = "Attendere" ] || fail "DISPLAY $run: the console did not show the wait text"
  for name in "Valmora - Dorvane_linea.dat" "Valmora - Dorvane_ICN 853.sim" "Valmora - Dorvane_ICN 853.dat"; do
    [ -s "$work/$run/$name" ] || fail "DISPLAY $run: '$name' not written"
  done
done
diff -r "$work/unset" "$work/unreachable" >/dev/null || fail "the two runs left different files"
echo "ok: no display and an unreachable display both run on the console with status 0"
