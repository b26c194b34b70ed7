#!/usr/bin/env bash
# Builds the program and runs it once in out/, where it writes its files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# A Release build of its own, so that the test build in build/ keeps its type.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target scenario
mkdir -p out
cp build-release/app/scenario out/scenario
status=0
out/scenario || status=$?
echo "run: exit status $status; files written to $(pwd)/out:"
ls -l out
exit $status
