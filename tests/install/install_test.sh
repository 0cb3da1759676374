#!/usr/bin/env bash
# `cmake --install` into a fresh prefix: the programs, the window module, the
# manual pages and the bash completion land where they belong, the manual
# and the completion know every command the installed tool has, the
# completion offers an option's choices, the warning rules and the error
# kinds where they are wanted and file names elsewhere, and the installed
# program finds its window module.
#
#   install_test.sh BUILD_DIR CMAKE_COMMAND
set -u
build=$1
cmake=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; fail "cmake --install failed"; }
rm -f "$prefix.log"

tool=$prefix/bin/scenario_tool
program=$prefix/bin/scenario_compiler
man_page=$prefix/share/man/man1/scenario_tool.1
completion=$prefix/share/bash-completion/completions/scenario_tool
for file in "$tool" "$program"; do [ -x "$file" ] || fail "$file is not an installed program"; done
for file in "$man_page" "$prefix/share/man/man1/scenario_compiler.1" "$completion"; do
  [ -s "$file" ] || fail "$file is missing"
done

"$tool" --version | grep -qx 'scenario_tool [0-9]*\.[0-9]*\.[0-9]*' || fail "installed tool: --version"

# The commands as the installed tool names them.
commands=$("$tool" bogus 2>&1 | sed -n "s/^unknown command 'bogus'; commands: //p" | tr -d ,)
[ -n "$commands" ] || fail "the tool does not list its commands"
grep -q '^\.TH SCENARIO_TOOL "1"' "$man_page" || fail "the manual page has no title line"
for command in $commands; do
  grep -q "^\.SS \"scenario_tool $command " "$man_page" || fail "the manual page has no section for '$command'"
done
grep -q 'no\\-plan' "$man_page" || fail "the manual page lacks the options of compile"

# Completions as bash computes them, one word list per command line.
complete_line() {  # WORDS... (the last one is the word being completed)
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
           _scenario_tool; printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@"
}
[ "$(complete_line scenario_tool '' | sort | tr '\n' ' ')" = "$(tr ' ' '\n' <<<"$commands" | sort | tr '\n' ' ')" ] ||
  fail "completing a command gives '$(complete_line scenario_tool '' | tr '\n' ' ')', not '$commands'"
[ "$(complete_line scenario_tool com)" = compile ] || fail "'com' does not complete to compile"
complete_line scenario_tool compile --n | grep -qx -- --no-plan || fail "compile --n does not offer --no-plan"
complete_line scenario_tool dump --c | grep -qx -- --csv || fail "dump --c does not offer --csv"
complete_line scenario_tool dump -- | grep -qx -- --no-plan && fail "dump offers compile's --no-plan"
touch "$prefix/route_file.dat"
(cd "$prefix" && complete_line scenario_tool dump route) | grep -qx route_file.dat || fail "dump does not complete file names"

# What is offered for a value or an operand, in a folder that holds one file:
# the file where a file is wanted, the choices of the option or the command
# where one of them is. Each row: the offers (sorted, space-separated), then
# the words typed.
offer_folder=$prefix/offers
mkdir "$offer_folder" && touch "$offer_folder/route_file.dat"
expect_offers() {  # EXPECTED WORDS...
  local expected=$1 got
  shift
  got=$(cd "$offer_folder" && complete_line "$@" | sort | tr '\n' ' ' | sed 's/ $//')
  [ "$got" = "$expected" ] || fail "completing '$*' offers '$got', not '$expected'"
}
# The kinds and rules as the installed tool lists them, sorted as the offers are.
explained=$("$tool" explain)
all_rules=$(awk -F '\t' '$1 !~ /^[0-9]+$/ { print $1 }' <<<"$explained" | sort | tr '\n' ' ' | sed 's/ $//')
all_kinds_and_rules=$(cut -f 1 <<<"$explained" | sort | tr '\n' ' ' | sed 's/ $//')
[ -n "$all_rules" ] && [ "$all_rules" != "$all_kinds_and_rules" ] || fail "explain lists no kinds or no rules"
expect_offers "json text"                    scenario_tool check --format ''
expect_offers "json"                         scenario_tool check --format j
expect_offers "json text"                    scenario_tool check LINE TRAIN --format ''
expect_offers "$all_rules"                   scenario_tool check --no-warn ''
expect_offers "$all_rules"                   scenario_tool check -W ''
expect_offers "value-wraps"                  scenario_tool check -W value-
expect_offers "$all_rules"                   scenario_tool compile --no-warn ''
expect_offers "out-of-order out-of-range"    scenario_tool check --format text --no-warn out-of-
expect_offers "route_file.dat"               scenario_tool check --no-warn utf8-text ''
expect_offers "--warnings-as-errors"         scenario_tool check --w
expect_offers "$all_kinds_and_rules"         scenario_tool explain ''
expect_offers "10 101 102 103"               scenario_tool explain 10
expect_offers "1250 1251"                    scenario_tool explain 125
expect_offers "utf8-text"                    scenario_tool explain utf
expect_offers "--help --help-all"            scenario_tool explain --h
expect_offers "route_file.dat"               scenario_tool dump ''
expect_offers "route_file.dat"               scenario_tool compile -o ''
expect_offers "route_file.dat"               scenario_tool plot --output r

# The installed program writes beside itself and, given a display to try,
# loads its window module from the installed module folder.
module=$(find "$prefix" -name 'scenario_window_*.so')
DISPLAY=:59999 LD_DEBUG=files "$program" >/dev/null 2>"$prefix/stderr" || fail "the installed program failed: $(tail -n 3 "$prefix/stderr")"
[ -s "$prefix/bin/Alvera_Monteluce_2734-2.dat" ] || fail "the installed program wrote no route file beside itself"
if [ -n "$module" ]; then
  grep -q "file=$(dirname "$program")/../lib.*/scenario_window_.*\.so .*generating link map" "$prefix/stderr" ||
    fail "the installed program did not load $module"
fi
grep -q '^\.TH SCENARIO_TOOL-FORMATS 5' "$prefix/share/man/man5/scenario_tool-formats.5" ||
  fail "the manual page of the description files is missing"

# Editor support: the Vim files where Debian's Vim looks, the VS Code
# extension with its grammars.
for file in vim/vimfiles/syntax/scenario_line.vim vim/vimfiles/syntax/scenario_train.vim \
            vim/vimfiles/ftdetect/scenario.vim scenario_tool/editors/vscode/package.json \
            scenario_tool/editors/vscode/syntaxes/scenario_line.tmLanguage.json \
            scenario_tool/editors/vscode/syntaxes/scenario_train.tmLanguage.json; do
  [ -s "$prefix/share/$file" ] || fail "share/$file is missing"
done

echo "installed: programs, module ${module:+($module) }, manual pages, completion for: $commands"
