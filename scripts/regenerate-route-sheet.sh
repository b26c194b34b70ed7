#!/usr/bin/env bash
# Rewrites tests/data/route-sheet/sheet.svg, the reference route sheet, from
# the texts beside it. Run it after a deliberate change to the drawing, then
# look at the new picture before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target scenario_tests >/dev/null
SCENARIO_REGENERATE_SHEET=1 build/tests/scenario_tests --gtest_filter='RouteSheet.MatchesTheReferenceSheetByteForByte' >/dev/null
echo "wrote tests/data/route-sheet/sheet.svg"
