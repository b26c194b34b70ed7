-- Neovim's own client against `scenario-tool lsp`: open a text, wait for its
-- diagnostics, ask for a hover, and write what the editor holds to a file.
--   SCENARIO_TOOL  the scenario-tool executable
--   SCENARIO_TEXT  the text to open
--   SCENARIO_OUT   where to write the result
local tool = os.getenv('SCENARIO_TOOL')
local text = os.getenv('SCENARIO_TEXT')
local out = os.getenv('SCENARIO_OUT')
local lines = {}

local function finish(status)
  vim.fn.writefile(lines, out)
  vim.cmd(status == 0 and 'qall!' or 'cquit! ' .. status)
end

vim.cmd('edit ' .. vim.fn.fnameescape(text))
local buf = vim.api.nvim_get_current_buf()
local client = vim.lsp.start_client({
  name = 'scenario',
  cmd = { tool, 'lsp' },
  root_dir = vim.fn.fnamemodify(text, ':h'),
})
if not client then
  table.insert(lines, 'the client did not start')
  finish(1)
end
vim.lsp.buf_attach_client(buf, client)

if not vim.wait(20000, function() return #vim.diagnostic.get(buf) > 0 end, 20) then
  table.insert(lines, 'no diagnostics within 20 s')
  finish(1)
end
local severity = { 'error', 'warning', 'information', 'hint' }
local diagnostics = vim.diagnostic.get(buf)
table.sort(diagnostics, function(a, b) return a.lnum < b.lnum or (a.lnum == b.lnum and a.col < b.col) end)
for _, d in ipairs(diagnostics) do
  -- Lines and columns as the editor shows them: from 1, the column in bytes of the buffer's UTF-8.
  table.insert(lines, string.format('%d:%d-%d: %s %s: %s', d.lnum + 1, d.col + 1, d.end_col + 1,
    severity[d.severity], tostring(d.code), d.message))
end

-- A hover on the first diagnostic's value.
local first = diagnostics[1]
local line_text = vim.api.nvim_buf_get_lines(buf, first.lnum, first.lnum + 1, false)[1]
local character = vim.str_utfindex(line_text, first.col)
local answers = vim.lsp.buf_request_sync(buf, 'textDocument/hover', {
  textDocument = { uri = vim.uri_from_bufnr(buf) },
  position = { line = first.lnum, character = character },
}, 20000)
for _, answer in pairs(answers or {}) do
  if answer.result then
    table.insert(lines, 'hover:')
    for _, l in ipairs(vim.split(answer.result.contents.value, '\n', true)) do table.insert(lines, l) end
  end
end

vim.lsp.stop_client(client)
vim.wait(5000, function() return vim.lsp.client_is_stopped(client) end, 20)
finish(0)
