#!/usr/bin/env bash
# Takes docs/editor.png: Neovim in an xterm on a virtual display, with the
# configuration of docs/editors/neovim.lua, showing the language server's
# diagnostics and a hover on a faulty service text. Needs Xvfb, xterm, nvim
# and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target scenario-tool >/dev/null
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/texts"
ln -s "$PWD/build/tools/scenario-tool" "$work/bin/scenario-tool"
build/tools/scenario-tool init "$work/texts" >/dev/null
service="$work/texts/Valmora - Dorvane_ICN 853-.txt"
sed -i 's/^velocita,    1000,   125/velocita,    1000,   123/; s/^stazione,   16450,/stazione,   16475,/' "$service"

# After the diagnostics come, the cursor goes to the timetable speed 123 and asks for its hover.
cat >"$work/show.lua" <<'LUA'
vim.o.termguicolors = false
vim.o.number = true
vim.wait(10000, function() return #vim.diagnostic.get(0) > 0 end, 50)
vim.api.nvim_win_set_cursor(0, { 12, 22 })
vim.lsp.buf.hover()
LUA
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1000x640x24 >/dev/null 2>&1 &
sleep 1
cd "$work/texts"
PATH="$work/bin:$PATH" HOME="$work" DISPLAY="$display" \
  xterm -geometry 110x34+0+0 -fa 'DejaVu Sans Mono' -fs 10 -bg white -fg black -e \
  nvim --clean -u "$OLDPWD/docs/editors/neovim.lua" -c "luafile $work/show.lua" +12 "$service" &
sleep 6
cd "$OLDPWD"
DISPLAY="$display" import -window root -crop 886x584+0+0 +repage docs/editor.png
echo "wrote docs/editor.png"
