-- Neovim (0.7 and later): scenario-tool's language server for the
-- description texts. Put this file in ~/.config/nvim/plugin/ (or source it
-- from init.lua); scenario-tool must be on PATH, or write its full path below.
local client_id
vim.api.nvim_create_autocmd({ 'BufReadPost', 'BufNewFile' }, {
  pattern = { '*_linea.txt', '*-.txt' },
  callback = function(args)
    if not client_id or vim.lsp.client_is_stopped(client_id) then
      client_id = vim.lsp.start_client({
        name = 'scenario',
        cmd = { 'scenario-tool', 'lsp' },
        root_dir = vim.fn.fnamemodify(args.file, ':p:h'),
      })
    end
    vim.lsp.buf_attach_client(args.buf, client_id)
    -- K shows what a value means and how it is stored; gd jumps to the other text.
    vim.keymap.set('n', 'K', vim.lsp.buf.hover, { buffer = args.buf })
    vim.keymap.set('n', 'gd', vim.lsp.buf.definition, { buffer = args.buf })
  end,
})
