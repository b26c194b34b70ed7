#!/usr/bin/env bash
# Builds the program and runs it once in out/, where it writes its files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target scenario
mkdir -p out
cp build/app/scenario out/scenario
status=0
out/scenario || status=$?
echo "run: exit status $status; files written to $(pwd)/out:"
ls -l out
exit $status
