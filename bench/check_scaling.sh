#!/usr/bin/env bash
# The scaling program on a short generated route: the route compiles without
# a recorded error (the program stops otherwise), and each way of running it
# works.
set -euo pipefail
scaling_exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$scaling_exe" 30 "$work" 2
for what in compile floor none; do
  "$scaling_exe" 30 "$work" --peak "$what"
done
