#!/usr/bin/env bash
# The desktop window on a virtual X display.
#   desktop_window_test.sh SCENARIO WINDOW_CHECK
#   desktop_window_test.sh --not-built   (the program has no desktop window)
# 1. window_check (the run on the desktop window, made to end in error 1250):
#    "Form1" is shown at its size with the label painted; then the box titled
#    "scenario" is closed, once with Return and once by clicking OK, and the
#    process ends with status 1 leaving no binary file.
# 2. The program itself on the display ends with status 0 and writes the same
#    files as a run without a display; when the program carries its own C++
#    runtime, no symbol of the C++ runtime binds from the toolkit's side to it.
# Without Xvfb, xdotool or ImageMagick the test is skipped (status 77), except
# in CI, where that is a failure.
set -uo pipefail

fail() { echo "FAIL: $*"; exit 1; }
skip_or_fail() {
  [ -n "${CI:-}" ] && fail "$1"
  echo "SKIP: $1"
  exit 77
}

[ "${1:-}" = "--not-built" ] && skip_or_fail "the program was built without the desktop window (FLTK not found)"
[ $# -eq 2 ] || fail "usage: $0 SCENARIO WINDOW_CHECK"
scenario=$1
window_check=$2
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || skip_or_fail "$tool is not installed"
done

work=$(mktemp -d)
xvfb_pid=""
check_pid=""
cleanup() {
  [ -n "$check_pid" ] && kill "$check_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it once it accepts clients.
# -noreset: by default the server resets when its last client leaves, and a
# client connecting during the reset is refused.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 600); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=":$(cat "$work/display")"

# Prints the id of the visible window titled exactly $1, waiting up to 60 s (a sanitizer build on a busy machine is slow to start).
find_window() {
  local id
  for _ in $(seq 600); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to 60 s for process $1 to end and puts its exit status in $status.
wait_for_end() {
  for _ in $(seq 600); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$1" 2>/dev/null && return 1
  status=0
  wait "$1" || status=$?
}

# Fraction of the screenshot $1 that is dark: the label's letters.
dark_fraction() { convert "$1" -colorspace Gray -threshold 40% -negate -format '%[fx:mean]' info:; }

check_wait_window() {
  local form geometry fraction
  if ! form=$(find_window Form1); then
    cat "$work/$1.log"
    if kill -0 "$check_pid" 2>/dev/null; then echo "(window_check is still running)"; else echo "(window_check has ended)"; fi
    fail "$1: no window titled Form1"
  fi
  geometry=$(xdotool getwindowgeometry --shell "$form" | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' ')
  [ "$geometry" = "WIDTH=320 HEIGHT=240 " ] || fail "$1: Form1 is $geometry, not 320 x 240"
  import -window "$form" "$work/$1-form.png" || fail "$1: no screenshot of Form1"
  fraction=$(dark_fraction "$work/$1-form.png")
  awk -v f="$fraction" 'BEGIN { exit !(f > 0.005 && f < 0.2) }' ||
    fail "$1: Form1 does not show its label (dark fraction $fraction)"
}

close_error_box() {
  local box
  box=$(find_window scenario) || fail "$1: no error box titled scenario"
  if [ "$1" = return-key ]; then
    xdotool windowfocus --sync "$box" key Return
  else
    eval "$(xdotool getwindowgeometry --shell "$box")"
    # OK sits centred, 20 px above the bottom edge, 25 px high.
    xdotool mousemove --window "$box" $((WIDTH / 2)) $((HEIGHT - 32)) click 1
  fi
}

for way in return-key ok-click; do
  dir="$work/$way"
  mkdir "$dir"
  "$window_check" "$dir" >"$work/$way.log" 2>&1 &
  check_pid=$!
  check_wait_window "$way"
  touch "$dir/continue"
  close_error_box "$way"
  wait_for_end "$check_pid" || fail "$way: the process did not end after the error box"
  check_pid=""
  [ "$status" = 1 ] || { cat "$work/$way.log"; fail "$way: exit status $status, expected 1"; }
  leftovers=$(find "$dir" -name '*.dat' -o -name '*.sim')
  [ -z "$leftovers" ] || fail "$way: binary files written: $leftovers"
  echo "ok: error box closed by $way, exit status 1, no binary file"
done

for run in windowed headless; do
  mkdir "$work/$run"
  cp "$scenario" "$work/$run/scenario"
done
status=0
(cd "$work/windowed" && LD_DEBUG=bindings LD_DEBUG_OUTPUT="$work/bindings" ./scenario >"$work/windowed.out") ||
  status=$?
[ "$status" = 0 ] || fail "the program on the display ended with status $status"
# A program that carries its own C++ runtime (it needs no shared one) while
# the toolkit uses the system's: nothing of the C++ runtime may bind across
# to the program's copy. (Built on the shared runtime, both sides share it.)
if ! readelf -d "$scenario" | grep -q 'NEEDED.*libstdc++'; then
  cat "$work"/bindings.* >"$work/bindings.txt"
  grep -q "to .*libstdc++" "$work/bindings.txt" || fail "the desktop window did not load the system's C++ runtime"
  if grep -E "to \./scenario \[.*symbol \`(_Z|__cxa_|__gxx_|_Unwind_)" "$work/bindings.txt"; then
    fail "a C++ runtime symbol of the toolkit's side bound to the program's copy"
  fi
fi
status=0
(cd "$work/headless" && env -u DISPLAY ./scenario >"$work/headless.out") || status=$?
[ "$status" = 0 ] || fail "the program without a display ended with status $status"
# The console stand-in prints the wait text; the desktop window does not.
[ ! -s "$work/windowed.out" ] || fail "the program on the display did not use the desktop window"
for name in "Valmora - Dorvane_linea.dat" "Valmora - Dorvane_ICN 853.sim" "Valmora - Dorvane_ICN 853.dat"; do
  [ -s "$work/windowed/$name" ] || fail "the program on the display did not write '$name'"
done
diff -r "$work/windowed" "$work/headless" >/dev/null || fail "the runs with and without a display left different files"
echo "ok: the program on the display ended with status 0 and wrote the same files as without one"
