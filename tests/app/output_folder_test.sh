#!/usr/bin/env bash
# output_folder_test.sh SCENARIO BUILD_DIR: where the program writes. From its
# own folder it writes there as it always has; with --output it writes the same
# bytes into the folder given and nothing beside itself; a missing or wrong
# output folder, an own folder it must not write into, and a bad command line
# are refused before any file is written. Last, the program installed into a
# staging prefix refuses its bin/ folder and writes where --output says.
set -uo pipefail

fail() { echo "FAIL: $*"; exit 1; }
[ $# -eq 2 ] || fail "usage: $0 SCENARIO BUILD_DIR"
scenario=$1
build=$2

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
outputs=("Valmora - Dorvane_linea.dat" "Valmora - Dorvane_ICN 853.sim" "Valmora - Dorvane_ICN 853.dat")

# run NAME DIR [ARGS...]: runs DIR/scenario with no display; status, stdout and
# stderr land in $work/NAME.{status,out,err}.
run() {
  local name=$1 dir=$2
  shift 2
  local status=0
  (cd "$work" && env -u DISPLAY "$dir/scenario" "$@" >"$work/$name.out" 2>"$work/$name.err") || status=$?
  echo "$status" >"$work/$name.status"
}
expect() {  # expect NAME STATUS STDERR
  [ "$(cat "$work/$1.status")" = "$2" ] || fail "$1: exit status $(cat "$work/$1.status"), expected $2 ($(cat "$work/$1.err"))"
  [ "$(cat "$work/$1.err")" = "$3" ] || fail "$1: stderr was: $(cat "$work/$1.err")"
}
only_program() {  # only_program DIR: nothing but the program in DIR
  [ "$(ls -A "$1")" = "scenario" ] || fail "files beside the program in $1: $(ls -A "$1" | tr '\n' ' ')"
}
fresh() {  # fresh NAME: a folder holding a copy of the program
  mkdir "$work/$1" && cp "$scenario" "$work/$1/scenario"
}

# Its own writable folder: today's behaviour.
fresh own
run own "$work/own"
expect own 0 ""
for f in "${outputs[@]}"; do [ -s "$work/own/$f" ] || fail "own: '$f' not written"; done

# --output and -o: the same bytes in the folder given, nothing beside the program.
for flag in --output -o; do
  fresh "prog$flag" && mkdir "$work/out$flag"
  run "to$flag" "$work/prog$flag" "$flag" "$work/out$flag"
  expect "to$flag" 0 ""
  only_program "$work/prog$flag"
  for path in "$work/own"/*; do
    f=$(basename "$path")
    [ "$f" = scenario ] && continue
    cmp -s "$work/own/$f" "$work/out$flag/$f" || fail "$flag: '$f' differs from the run in its own folder"
  done
done

# Refusals: exit status, message, and no file anywhere.
fresh refuse && touch "$work/a-file"
while IFS='|' read -r name status message args; do
  # shellcheck disable=SC2086
  run "$name" "$work/refuse" $args
  expect "$name" "$status" "$(printf '%b' "$message")"
  only_program "$work/refuse"
  [ ! -e "$work/nowhere" ] || fail "$name: the missing folder was made"
done <<TABLE
missing|64|scenario: output folder '$work/nowhere' does not exist|--output $work/nowhere
a-file|64|scenario: output folder '$work/a-file' is not a folder|-o $work/a-file
no-folder|64|scenario: option --output needs a folder\nTry 'scenario --help'.|--output
unknown|64|scenario: unknown option '--frobnicate'\nTry 'scenario --help'.|--frobnicate
stray|64|scenario: unexpected argument 'now'\nTry 'scenario --help'.|now
twice|64|scenario: option --output given twice\nTry 'scenario --help'.|-o $work -o $work
TABLE

# --help and --version answer and write nothing.
run help "$work/refuse" --help
expect help 0 ""
grep -q -- "--output DIR" "$work/help.out" || fail "--help does not describe --output"
only_program "$work/refuse"
run version "$work/refuse" --version
expect version 0 ""
grep -Eq '^scenario [0-9]+\.[0-9]+\.[0-9]+ \(commit ([0-9a-f]+(-dirty)?|unknown)\)$' "$work/version.out" || fail "--version printed: $(cat "$work/version.out")"

# An own folder that is not the user's: a bin/ folder, one owned by another
# user, and (for a user other than root, who writes anywhere) an unwritable one.
own_cases=("bin|a system program folder")
if [ "$(id -u)" = 0 ]; then
  own_cases+=("others|owned by another user")
else
  own_cases+=("locked|not writable")
fi
for row in "${own_cases[@]}"; do
  name=${row%%|*} why=${row#*|}
  fresh "$name"
  case $name in
    others) chown nobody "$work/$name" ;;
    locked) chmod a-w "$work/$name" ;;
  esac
  run "own-$name" "$work/$name"
  expect "own-$name" 1 "scenario: will not write into '$work/$name', the program's own folder ($why); run it with --output DIR"
  only_program "$work/$name"
done

# One writing run per folder: four programs started at once in one folder all
# end well and leave one whole set; while another run holds the folder, a run
# told not to wait fails at once and writes nothing, and one that waits says so.
fresh many
for i in 1 2 3 4; do
  (status=0; cd "$work" && env -u DISPLAY "$work/many/scenario" >/dev/null 2>"$work/many$i.err" || status=$?
   echo "$status" >"$work/many$i.status") &
done
wait
for i in 1 2 3 4; do
  [ "$(cat "$work/many$i.status")" = 0 ] || fail "concurrent run $i: exit status $(cat "$work/many$i.status")"
  grep -qv "^scenario: waiting for another run writing into '$work/many'\$" "$work/many$i.err" &&
    fail "concurrent run $i: $(cat "$work/many$i.err")"
done
[ "$(ls -A "$work/many" | wc -l)" = "$(ls -A "$work/own" | wc -l)" ] || fail "concurrent runs left: $(ls -A "$work/many")"
for f in "${outputs[@]}"; do cmp -s "$work/own/$f" "$work/many/$f" || fail "concurrent runs: '$f' differs"; done

fresh held
flock "$work/held" -c "sleep 2" &
holder=$!
sleep 0.5
run nowait "$work/held" --no-wait
expect nowait 1 "scenario: cannot lock '$work/held': another run is writing into it"
only_program "$work/held"
status=0
(cd "$work" && "$build/tools/scenario-tool" compile a.txt b.txt -o "$work/held" --no-wait >/dev/null 2>"$work/tool-nowait.err") || status=$?
[ "$status" = 1 ] || fail "compile --no-wait: exit status $status"
[ "$(cat "$work/tool-nowait.err")" = "scenario-tool: cannot lock '$work/held': another run is writing into it" ] ||
  fail "compile --no-wait: $(cat "$work/tool-nowait.err")"
# The sheet, held at the folder it writes into and at the folder it reads.
for sheet in "$work/own|$work/held/sheet.svg" "$work/held|$work/sheet.svg"; do
  status=0
  "$build/tools/scenario-tool" sheet "${sheet%%|*}" -o "${sheet#*|}" --no-wait >/dev/null 2>"$work/sheet-nowait.err" ||
    status=$?
  [ "$status" = 1 ] || fail "sheet --no-wait ($sheet): exit status $status"
  [ "$(cat "$work/sheet-nowait.err")" = "scenario-tool: cannot lock '$work/held': another run is writing into it" ] ||
    fail "sheet --no-wait ($sheet): $(cat "$work/sheet-nowait.err")"
  [ -e "${sheet#*|}" ] && fail "sheet --no-wait ($sheet): a sheet was written"
done
run waited "$work/held"
expect waited 0 "scenario: waiting for another run writing into '$work/held'"
wait "$holder"

# The installed program, from a staging prefix.
cmake --install "$build" --prefix "$work/stage" >/dev/null || fail "cmake --install failed"
[ -x "$work/stage/bin/scenario" ] || fail "no bin/scenario in the staging prefix"
[ -x "$work/stage/bin/scenario-tool" ] || fail "no bin/scenario-tool in the staging prefix"
run installed "$work/stage/bin"
expect installed 1 "scenario: will not write into '$work/stage/bin', the program's own folder (a system program folder); run it with --output DIR"
[ "$(ls -A "$work/stage/bin")" = "$(printf 'scenario\nscenario-tool')" ] || fail "files written into the staging bin/"
mkdir "$work/installed-out"
run installed-out "$work/stage/bin" --output "$work/installed-out"
expect installed-out 0 ""
for f in "${outputs[@]}"; do
  cmp -s "$work/own/$f" "$work/installed-out/$f" || fail "installed: '$f' differs from the run in its own folder"
done
if command -v help2man >/dev/null; then
  grep -q -- "--output" "$work/stage/share/man/man1/scenario.1" || fail "the manual page does not describe --output"
elif [ -n "${CI:-}" ]; then
  fail "help2man is installed by scripts/setup.sh in CI"
fi
echo "ok"
