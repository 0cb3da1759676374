-- Run by neovim_test.sh inside headless Neovim, with the plugin that
-- `scenario_tool editors` writes on the runtime path: Neovim's own LSP
-- client talks to `scenario_tool lsp`. Each check that fails is written to
-- standard error; Neovim then exits with status 1.
local failures = {}
local function check(condition, what)
  if not condition then table.insert(failures, what) end
end

vim.cmd('edit S_linea.txt')
local buffer = vim.api.nvim_get_current_buf()
check(vim.bo.filetype == 'scenario_line', 'file type: ' .. vim.bo.filetype)

-- The diagnostic of the misspelt keyword, at its line and column.
local got = vim.wait(10000, function() return #vim.diagnostic.get(buffer) > 0 end, 50)
check(got, 'no diagnostic within 10 s')
local diagnostics = vim.diagnostic.get(buffer)
local found = nil
for _, d in ipairs(diagnostics) do
  if d.code == 'unknown-keyword' then found = d end
end
check(found ~= nil, 'no unknown-keyword diagnostic')
if found then
  check(found.lnum == 4 and found.col == 0, 'diagnostic at ' .. found.lnum .. ':' .. found.col)
  check(found.message:find("did you mean 'pendenza'", 1, true) ~= nil, 'message: ' .. found.message)
end
-- A field too many after accented letters: the server counts UTF-16 units,
-- Neovim turns them into the buffer's bytes, and the column lands on it.
local extra = nil
for _, d in ipairs(diagnostics) do
  if d.code == 'extra-field' then extra = d end
end
check(extra ~= nil and extra.lnum == 7, 'extra-field diagnostic: ' .. vim.inspect(extra))
if extra then
  local text = vim.api.nvim_buf_get_lines(buffer, 7, 8, false)[1]
  check(text:sub(extra.col + 1, extra.col + 1) == '5', 'extra-field column ' .. extra.col .. ' in ' .. text)
end

local client = vim.lsp.get_active_clients()[1]
check(client ~= nil and client.name == 'scenario_tool', 'no scenario_tool client')

-- Hover on the gradient's value: the records table's field and its value.
local hover = vim.lsp.buf_request_sync(buffer, 'textDocument/hover',
  { textDocument = { uri = vim.uri_from_bufnr(buffer) }, position = { line = 3, character = 16 } }, 5000)
local hover_text = ''
for _, answer in pairs(hover or {}) do
  if answer.result then hover_text = answer.result.contents.value end
end
check(hover_text:find('`gradient`', 1, true) ~= nil and hover_text:find('+2 per mille', 1, true) ~= nil,
  'hover: ' .. hover_text)

-- Completion at the start of a line in [pendenze]: the gradient record.
local completion = vim.lsp.buf_request_sync(buffer, 'textDocument/completion',
  { textDocument = { uri = vim.uri_from_bufnr(buffer) }, position = { line = 4, character = 2 } }, 5000)
local labels = {}
for _, answer in pairs(completion or {}) do
  for _, item in ipairs(answer.result or {}) do labels[item.label] = true end
end
check(labels['pendenza'], 'completion: ' .. vim.inspect(vim.tbl_keys(labels)))

-- The did-you-mean action, applied as the editor applies it.
local actions = vim.lsp.buf_request_sync(buffer, 'textDocument/codeAction', {
  textDocument = { uri = vim.uri_from_bufnr(buffer) },
  range = { start = { line = 4, character = 0 }, ['end'] = { line = 4, character = 8 } },
  context = { diagnostics = vim.lsp.diagnostic.get_line_diagnostics(buffer, 4) },
}, 5000)
local applied = false
for _, answer in pairs(actions or {}) do
  for _, action in ipairs(answer.result or {}) do
    if action.edit then
      vim.lsp.util.apply_workspace_edit(action.edit, 'utf-16')
      applied = true
    end
  end
end
check(applied, 'no code action')
local line = vim.api.nvim_buf_get_lines(buffer, 4, 5, false)[1]
check(line:sub(1, 9) == 'pendenza,', 'line after the fix: ' .. line)
-- The fixed keyword's diagnostic goes away once the server has the change.
local cleared = vim.wait(10000, function()
  for _, d in ipairs(vim.diagnostic.get(buffer)) do
    if d.code == 'unknown-keyword' then return false end
  end
  return true
end, 50)
check(cleared, 'the fixed keyword is still reported')

if #failures > 0 then
  for _, failure in ipairs(failures) do io.stderr:write('neovim_test: ' .. failure .. '\n') end
  vim.cmd('cquit 1')
end
io.stderr:write('neovim_test: every check passed\n')
vim.cmd('qall!')
