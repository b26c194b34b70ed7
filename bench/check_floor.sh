#!/usr/bin/env bash
# Runs the program and the floor program, each alone in a fresh folder, and
# checks that they leave the same files with the same bytes.
set -euo pipefail
main_exe=$1
floor_exe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/main" "$work/floor"
cp "$main_exe" "$work/main/scenario"
cp "$floor_exe" "$work/floor/scenario"
"$work/main/scenario" >/dev/null
"$work/floor/scenario" >/dev/null
rm "$work/main/scenario" "$work/floor/scenario"
diff -r "$work/main" "$work/floor"
test -n "$(ls -A "$work/main")"
echo "the floor left the same files as the program: $(ls "$work/main" | wc -l) files"
