#!/usr/bin/env bash
# Takes docs/live-sheet.png again: the browser test of the live route sheet,
# which photographs the page of the built-in texts once a warning on them has
# been clicked.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target scenario-tool
SCREENSHOT="$PWD/docs/live-sheet.png" tests/tools/live_sheet_browser_test.sh build/tools/scenario-tool
echo "page: docs/live-sheet.png"
