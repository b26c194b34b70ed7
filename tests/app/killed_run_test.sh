#!/usr/bin/env bash
# killed_run_test.sh SCENARIO: the program killed at random moments (a fixed
# seed, a fixed number of trials) never leaves a torn file: every file it
# writes is either the older one or the whole new one. The next run, left to
# finish, leaves the whole set and no scratch file or description text.
set -uo pipefail

fail() { echo "FAIL: $*"; exit 1; }
[ $# -eq 1 ] || fail "usage: $0 SCENARIO"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/reference"
cp "$1" "$work/reference/scenario"
(cd "$work/reference" && env -u DISPLAY ./scenario >/dev/null 2>&1) || fail "the reference run failed"
mapfile -t outputs < <(cd "$work/reference" && ls | grep -v '^scenario$')
[ "${#outputs[@]}" = 6 ] || fail "the reference run left ${#outputs[@]} files"

mkdir "$work/older"
for f in "${outputs[@]}"; do printf 'older %s' "$f" >"$work/older/$f"; done

RANDOM=1729
interrupted=0
for trial in $(seq 1 40); do
  dir="$work/trial"
  rm -rf "$dir" && mkdir "$dir" && cp "$1" "$dir/scenario"
  cp "$work/older/"* "$dir/"
  (cd "$dir" && exec env -u DISPLAY ./scenario >/dev/null 2>&1) &
  pid=$!
  sleep "0.00$((RANDOM % 10))$((RANDOM % 10))"
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  for f in "${outputs[@]}"; do
    cmp -s "$dir/$f" "$work/older/$f" && { interrupted=$((interrupted + 1)); continue; }
    cmp -s "$dir/$f" "$work/reference/$f" || fail "trial $trial: '$f' is neither the older file nor the whole new one"
  done
  (cd "$dir" && env -u DISPLAY ./scenario >/dev/null 2>&1) || fail "trial $trial: the next run failed"
  leftover=$(cd "$dir" && ls -A | grep -v '^scenario$' | grep -vxF -f <(printf '%s\n' "${outputs[@]}"))
  [ -z "$leftover" ] || fail "trial $trial: the next run left $leftover"
  for f in "${outputs[@]}"; do cmp -s "$dir/$f" "$work/reference/$f" || fail "trial $trial: '$f' differs after the next run"; done
done
echo "ok: $interrupted older files found after the kills"
