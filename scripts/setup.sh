#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, when missing.
set -euo pipefail

# libfltk1.3-dev gives the desktop window; xvfb, xdotool and imagemagick let
# the tests drive that window on a virtual display.
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev
  libfltk1.3-dev xvfb xdotool imagemagick)
if [ "${1:-}" = "--all" ] || [ -n "${CI:-}" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
# JSON and the command line of scenario-tool.
packages+=(nlohmann-json3-dev libcli11-dev)
# The manual pages, made from the programs' own --help.
packages+=(help2man)
# The Debian package (cpack -G DEB finds its dependencies with dpkg-shlibdeps).
packages+=(dpkg-dev)
# Rendering and checking the route sheet.
packages+=(librsvg2-bin libxml2-utils)
# Neovim's own LSP client tests the language server as an editor uses it.
packages+=(neovim)
# The live route sheet (scenario-tool serve): its HTTP server library, and
# Chromium, which the page's tests and benchmarks drive through Playwright.
packages+=(pkg-config libcpp-httplib-dev chromium)
# Node and npm run the test tools of package.json (the SARIF validator).
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
# The benchmark scripts (bench/) also time whole runs with hyperfine and
# count a run's instructions with valgrind's callgrind.
if [ "${1:-}" = "--bench" ]; then
  packages+=(hyperfine valgrind)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${#missing[@]} Debian packages and what they need: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "setup: reading the package lists (apt-get update)"
  $sudo_cmd apt-get update -q
  # One line per package unpacked and set up, so a long install shows it is moving.
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 install -y -q \
    "${missing[@]}" | grep -E '^(Need to get|After this operation|Unpacking|Setting up) ' || true
  for p in "${missing[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || { echo "setup: $p could not be installed"; exit 1; }
  done
  echo "setup: Debian packages installed"
fi

# The test tools from the npm registry, at the versions package-lock.json pins.
cd "$(dirname "$0")/.."
if [ ! -x node_modules/.bin/sarif-multitool ] || [ ! -d node_modules/playwright-core ] ||
  [ package-lock.json -nt node_modules/.package-lock.json ]; then
  echo "setup: installing the npm test tools of package-lock.json"
  npm ci --no-audit --no-fund
fi
