#!/usr/bin/env bash
# Neovim, headless, with its own LSP client and a small Lua configuration
# (neovim/lsp_client.lua): opens a faulty service text beside its line text,
# waits for the diagnostics, asks for a hover, and compares what the editor
# holds with neovim/expected.txt. The faulty value stands after a word with
# an accented letter, so the columns cross UTF-16 and UTF-8 on the way.
#   neovim_lsp_test.sh SCENARIO_TOOL DATA_DIR
# Skipped (77) without nvim, except in CI.
set -euo pipefail
tool=$1
data=$2
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v nvim >/dev/null 2>&1; then
  if [ -n "${CI:-}" ]; then echo "nvim is missing"; exit 1; fi
  echo "nvim is not installed: skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$data/route-sheet/line.txt" "$work/Prova_linea.txt"
sed 's/^velocita,    1000,   125/- città -, velocita, 1000, 123/' "$data/route-sheet/service.txt" >"$work/Prova_R1-.txt"
HOME=$work XDG_CONFIG_HOME=$work XDG_DATA_HOME=$work XDG_STATE_HOME=$work \
SCENARIO_TOOL=$tool SCENARIO_TEXT="$work/Prova_R1-.txt" SCENARIO_OUT="$work/got.txt" \
  timeout 120 nvim --headless --clean -n -c "luafile $here/neovim/lsp_client.lua" </dev/null >/dev/null 2>&1 || {
  echo "nvim failed"; cat "$work/got.txt" 2>/dev/null; exit 1; }
diff -u "$here/neovim/expected.txt" "$work/got.txt"
