#!/usr/bin/env bash
# Regenerates docs/route-sheet.svg and docs/route-sheet.png: the built-in
# scenario compiled by the program itself, drawn by scenario-tool sheet and
# rendered by rsvg-convert.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target scenario scenario-tool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp build/app/scenario "$work/scenario"
env -u DISPLAY "$work/scenario" >/dev/null
build/tools/scenario-tool sheet "$work" -o docs/route-sheet.svg
rsvg-convert -w 2376 docs/route-sheet.svg -o docs/route-sheet.png
echo "sheet: docs/route-sheet.svg and docs/route-sheet.png"
