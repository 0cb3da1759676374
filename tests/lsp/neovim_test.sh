#!/usr/bin/env bash
# Debian's Neovim, headless, as the client of `scenario_tool lsp`, set up
# as docs/editors.md says: the folder `scenario_tool editors` writes, on the
# runtime path. Skipped (77) when Neovim is missing.
#
#   neovim_test.sh SCENARIO_TOOL
set -euo pipefail
tool=$1
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v nvim >/dev/null; then
  echo "neovim_test: nvim is missing (Debian package neovim); skipped"
  exit 77
fi
work=$(mktemp -d /tmp/scenario-neovim-XXXXXX)
trap 'rm -rf "$work"' EXIT
"$tool" editors "$work/editors" >/dev/null
cd "$work"
# A misspelt keyword on line 5; a field too many on line 8, after a board
# text with an accented letter (Windows-1252 bytes, as authors save them).
printf '[generale]\r\nlunghezza percorso,    10000\r\n[pendenze]\r\npendenza,  0,   2\r\npendenze,  4000,   0\r\npendenza,  6000,   1\r\n[indicazioni]\r\ncartello_indicatore,  7000,   (CITT\xc0),  5\r\n[fine]\r\n' >S_linea.txt
printf '[generale]\r\nvelocita,   0,   100\r\naderenza,   0,   100\r\n[stazioni]\r\nstazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\r\n[fine]\r\n' >S_T-.txt
cat >init.lua <<INIT
vim.opt.runtimepath:prepend('$work/editors/nvim')
vim.opt.fileencodings = 'cp1252'
vim.g.scenario_tool_command = '$tool'
INIT
timeout 60 nvim --headless -u init.lua -c "luafile $here/neovim_test.lua" 2>&1
