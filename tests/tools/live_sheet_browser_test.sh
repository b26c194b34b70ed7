#!/usr/bin/env bash
# The live route sheet in a real browser: Debian's Chromium, driven by
# Playwright (live_sheet/browser.mjs), on the page of the built-in texts that
# `scenario-tool init` writes. The texts are then saved over while the page
# stays open. Afterwards the server must stop cleanly on SIGTERM.
#   live_sheet_browser_test.sh SCENARIO_TOOL
# Skipped (77) without Chromium or playwright-core, except in CI.
set -euo pipefail
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
chromium=${CHROMIUM:-/usr/bin/chromium}
if [ ! -x "$chromium" ] || [ ! -d "$root/node_modules/playwright-core" ] || ! command -v node >/dev/null 2>&1; then
  if [ -n "${CI:-}" ]; then echo "Chromium, node or playwright-core is missing (scripts/setup.sh installs them)"; exit 1; fi
  echo "Chromium, node or playwright-core is not installed: skipped"
  exit 77
fi
work=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
"$tool" init "$work/texts" >/dev/null
line="$work/texts/Valmora - Dorvane_linea.txt"
service="$work/texts/Valmora - Dorvane_ICN 853-.txt"
# Served from the texts' folder, by their names, as an author would type them.
(cd "$work/texts" && exec "$tool" serve "$(basename "$line")" "$(basename "$service")") >"$work/out" 2>"$work/err" &
server=$!
url=
for _ in $(seq 100); do
  url=$(grep -so 'http://127\.0\.0\.1:[0-9]*/' "$work/out" || true)
  [ -n "$url" ] && break
  sleep 0.1
done
[ -n "$url" ] || { echo "serve printed no address"; cat "$work/out" "$work/err"; exit 1; }

CHROMIUM=$chromium timeout 120 node "$here/live_sheet/browser.mjs" "$url" "$line" "$service" "${SCREENSHOT:-}"

kill -TERM "$server"
status=0
wait "$server" || status=$?
server=
[ "$status" -eq 0 ] || { echo "serve ended with status $status after SIGTERM"; cat "$work/err"; exit 1; }
grep -qx 'Stopped.' "$work/out" || { echo "serve did not say it stopped"; cat "$work/out"; exit 1; }
[ ! -s "$work/err" ] || { echo "serve wrote to standard error:"; cat "$work/err"; exit 1; }
echo "live route sheet: all browser checks passed"
