#!/usr/bin/env bash
# Rewrites docs/format.md, the authors' format reference, from the compiler's
# tables (records and values, the error catalogue, the lint checks) and the
# error examples in tests/data/error-examples. Run it after changing any of
# them; the test suite fails while the file is out of date.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target format-reference >/dev/null
build/tools/format-reference tests/data/error-examples >docs/format.md.new
mv docs/format.md.new docs/format.md
echo "wrote docs/format.md"
