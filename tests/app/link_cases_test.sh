#!/usr/bin/env bash
# link_cases_test.sh SCENARIO SCENARIO_TOOL: no program writes through a link.
# For every file `scenario`, `scenario-tool compile` and `scenario-tool sheet`
# write, a link to a file outside the output folder is planted in turn at its
# final name and at names like a scratch or backup file of it. Each run must
# succeed, leave the file the link points at as it was, leave a regular file
# under the final name, leave a link planted elsewhere as it was, and leave
# no hidden file of its own.
set -uo pipefail

fail() { echo "FAIL: $*"; exit 1; }
[ $# -eq 2 ] || fail "usage: $0 SCENARIO SCENARIO_TOOL"
scenario=$(realpath "$1")
tool=$(realpath "$2")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
route="Valmora - Dorvane"
train="ICN 853"
binaries=("${route}_linea.dat" "${route}_${train}.sim" "${route}_${train}.dat")
texts=("${route}_linea.txt" "${route}_${train}-.txt")
documents=("${route}_${train}_note.txt" "${route}_${train}_rallentamenti.txt" "${route}_${train}_scheda_treno.txt")

# The description texts and the binary files of one clean run, for the tool.
mkdir "$work/reference"
env -u DISPLAY "$scenario" --output "$work/reference" >/dev/null 2>&1 || fail "the reference run failed"
mkdir "$work/texts"
(cd "$work/texts" && "$tool" init >/dev/null 2>&1) || fail "scenario-tool init failed"

# check PROGRAM FILE PLACE DIR STATUS: the outcome of one planted link.
check() {
  local program=$1 file=$2 place=$3 dir=$4 status=$5
  local what="$program, link at the $place name of '$file'"
  [ "$status" = 0 ] || fail "$what: exit status $status ($(cat "$work/err"))"
  [ "$(cat "$work/victim")" = "precious" ] || fail "$what: the file the link points at was written"
  [ -f "$dir/$file" ] && [ ! -L "$dir/$file" ] || fail "$what: '$file' is not a regular file"
  check_hidden "$what" "$dir" "$place"
}

# check_hidden WHAT DIR PLACE: the only hidden entry left is the link planted.
check_hidden() {
  local hidden
  hidden=$(cd "$2" && ls -A | grep '^\.')
  if [ "$3" = final ]; then
    [ -z "$hidden" ] || fail "$1: left $hidden"
  else
    [ "$(echo "$hidden" | wc -l)" = 1 ] && [ -L "$2/$hidden" ] || fail "$1: the planted link is gone or more is left: $hidden"
  fi
}

# plant DIR FILE PLACE: a fresh victim, and a link to it at FILE's PLACE name.
plant() {
  local dir=$1 file=$2 place=$3
  echo precious >"$work/victim"
  case $place in
    final) ln -s "$work/victim" "$dir/$file" ;;
    scratch) ln -s "$work/victim" "$dir/.$file.part" ;;
    backup) ln -s "$work/victim" "$dir/.$file.old" ;;
  esac
}

for place in final scratch backup; do
  for file in "${texts[@]}" "${documents[@]}" "${binaries[@]}"; do
    dir="$work/scenario-$place-$file" && mkdir "$dir"
    # An older set, so that every file is replaced, not only made.
    cp "$work/reference/"* "$dir/"
    [ "$place" = final ] && rm -f "$dir/$file"
    plant "$dir" "$file" "$place"
    status=0
    env -u DISPLAY "$scenario" --output "$dir" >/dev/null 2>"$work/err" || status=$?
    case " ${texts[*]} " in
      *" $file "*) [ -e "$dir/$file" ] && fail "scenario: the description text '$file' was kept"
                   [ "$(cat "$work/victim")" = "precious" ] || fail "scenario: '$file' written through a link"
                   [ "$status" = 0 ] || fail "scenario, link at '$file': exit status $status"
                   check_hidden "scenario, link at the $place name of '$file'" "$dir" "$place" ;;
      *) check scenario "$file" "$place" "$dir" "$status" ;;
    esac
  done

  for file in "${binaries[@]}"; do
    dir="$work/compile-$place-$file" && mkdir "$dir"
    cp "$work/reference/"*.dat "$work/reference/"*.sim "$dir/"
    [ "$place" = final ] && rm -f "$dir/$file"
    plant "$dir" "$file" "$place"
    status=0
    "$tool" compile "$work/texts/${texts[0]}" "$work/texts/${texts[1]}" -o "$dir" >/dev/null 2>"$work/err" ||
      status=$?
    check compile "$file" "$place" "$dir" "$status"
    cmp -s "$dir/$file" "$work/reference/$file" || fail "compile, link at the $place name: '$file' differs"
  done

  dir="$work/sheet-$place" && mkdir "$dir"
  [ "$place" = final ] || echo "<svg>older</svg>" >"$dir/sheet.svg"
  plant "$dir" sheet.svg "$place"
  status=0
  "$tool" sheet "$work/reference" -o "$dir/sheet.svg" >/dev/null 2>"$work/err" || status=$?
  check sheet sheet.svg "$place" "$dir" "$status"
  grep -q "<svg" "$dir/sheet.svg" || fail "sheet, link at the $place name: no drawing written"
done
echo "PASS"
