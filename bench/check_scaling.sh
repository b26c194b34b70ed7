#!/usr/bin/env bash
# The scaling program on a short generated route, once per mode: the route
# compiles without a recorded error, and the floor finds what the compile left.
set -euo pipefail
scaling_exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for mode in compile floor memory; do
  "$scaling_exe" 30 "$mode" "$work" 1
done
