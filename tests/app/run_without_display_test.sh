#!/usr/bin/env bash
# run_without_display_test.sh SCENARIO: with no DISPLAY, with a DISPLAY no
# server answers, and with a DISPLAY but a toolkit library that cannot be
# loaded, the program uses the console stand-in, ends with status 0 and writes
# the same binary files each time. With no DISPLAY it loads no toolkit or X11
# library at all.
set -uo pipefail

fail() { echo "FAIL: $*"; exit 1; }
[ $# -eq 1 ] || fail "usage: $0 SCENARIO"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A display number with no server behind it.
silent=987
while [ -e "/tmp/.X11-unix/X$silent" ]; do silent=$((silent + 1)); done

# A toolkit library that cannot be loaded, found before the real one.
mkdir "$work/broken-lib"
for lib in libfltk.so.1.3 libX11.so.6; do : >"$work/broken-lib/$lib"; done

for run in unset unreachable broken; do
  mkdir "$work/$run"
  cp "$1" "$work/$run/scenario"
  status=0
  case $run in
    unset) (cd "$work/$run" && env -u DISPLAY LD_DEBUG=libs ./scenario >"$work/$run.out" 2>"$work/$run.err") || status=$? ;;
    unreachable) (cd "$work/$run" && DISPLAY=":$silent" ./scenario >"$work/$run.out" 2>"$work/$run.err") || status=$? ;;
    broken) (cd "$work/$run" && DISPLAY=":$silent" LD_LIBRARY_PATH="$work/broken-lib" ./scenario \
               >"$work/$run.out" 2>"$work/$run.err") || status=$? ;;
  esac
  [ "$status" = 0 ] || fail "DISPLAY $run: exit status $status"
  [ "$(cat "$work/$run.out")" = "Attendere" ] || fail "DISPLAY $run: the console did not show the wait text"
  for name in "Valmora - Dorvane_linea.dat" "Valmora - Dorvane_ICN 853.sim" "Valmora - Dorvane_ICN 853.dat"; do
    [ -s "$work/$run/$name" ] || fail "DISPLAY $run: '$name' not written"
  done
done
if grep -Eq 'calling init: .*lib(fltk|X11)' "$work/unset.err"; then
  grep -E 'calling init: .*lib(fltk|X11)' "$work/unset.err"
  fail "DISPLAY unset: a toolkit library was loaded"
fi
grep -q "desktop window unavailable, using the console" "$work/broken.err" ||
  { cat "$work/broken.err"; fail "toolkit unloadable: no note on standard error"; }
[ ! -s "$work/unreachable.err" ] || { cat "$work/unreachable.err"; fail "DISPLAY unreachable: unexpected output on standard error"; }
diff -r "$work/unset" "$work/unreachable" >/dev/null || fail "the unset and unreachable runs left different files"
diff -r "$work/unset" "$work/broken" >/dev/null || fail "the unset and broken-toolkit runs left different files"
echo "ok: no display, an unreachable display and an unloadable toolkit all run on the console with status 0"
