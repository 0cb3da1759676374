#!/usr/bin/env bash
# Writes the bash completion of scenario_tool from the tool's own help, so
# that a command or option added to the tool is completed without an edit
# here. Run at build time:
#
#   dist/make_bash_completion.sh TOOL OUTPUT
#
# From `TOOL --help` it takes the commands and the tool's options; from
# `TOOL COMMAND --help` each command's options, and which of them take a
# value (a type such as TEXT follows the names).
set -euo pipefail
tool=$1
output=$2

# Names of the commands: the lines under "Subcommands:".
commands() {
  awk '/^[^ ].*:$/ { section = $0; next }
       section == "Subcommands:" && /^  [^ ]/ { print $1 }'
}
# "NAME..." of the options under "Options:"; with value=1 only those that
# take a value.
options() {
  awk -v value="$1" '/^[^ ].*:$/ { section = $0; next }
       section == "Options:" && /^  -/ {
         takes = ($0 ~ /^  -[^ ]+ [A-Z][A-Z0-9_]*/)
         if (value && !takes) next
         n = split($1, names, ",")
         for (i = 1; i <= n; i++) print names[i]
       }'
}
words() { tr '\n' ' ' | sed 's/ $//'; }

help=$("$tool" --help)
command_list=$(commands <<<"$help" | words)
[ -n "$command_list" ] || { echo "$0: no commands in the help of $tool" >&2; exit 1; }

{
  echo "# bash completion for scenario_tool, made from the tool's help at build time."
  echo "_scenario_tool() {"
  echo "  local cur=\${COMP_WORDS[COMP_CWORD]} prev=\${COMP_WORDS[COMP_CWORD-1]}"
  echo "  local commands=\"$command_list\" command= options= value_options= i"
  echo "  for ((i = 1; i < COMP_CWORD; i++)); do"
  echo "    case \" \$commands \" in *\" \${COMP_WORDS[i]} \"*) command=\${COMP_WORDS[i]}; break ;; esac"
  echo "  done"
  echo "  case \$command in"
  echo "    '') options=\"$(options 0 <<<"$help" | words)\""
  echo "        value_options=\"$(options 1 <<<"$help" | words)\" ;;"
  for command in $command_list; do
    command_help=$("$tool" "$command" --help)
    echo "    $command) options=\"$(options 0 <<<"$command_help" | words)\""
    echo "        value_options=\"$(options 1 <<<"$command_help" | words)\" ;;"
  done
  echo "  esac"
  echo "  # The value of an option, and every operand of a command, is a file or folder."
  echo "  if [[ \" \$value_options \" == *\" \$prev \"* ]] || { [ -n \"\$command\" ] && [[ \$cur != -* ]]; }; then"
  echo "    compopt -o filenames 2>/dev/null"
  echo "    COMPREPLY=(\$(compgen -f -- \"\$cur\"))"
  echo "  elif [[ \$cur == -* ]]; then"
  echo "    COMPREPLY=(\$(compgen -W \"\$options\" -- \"\$cur\"))"
  echo "  else"
  echo "    COMPREPLY=(\$(compgen -W \"\$commands\" -- \"\$cur\"))"
  echo "  fi"
  echo "}"
  echo "complete -F _scenario_tool scenario_tool"
} >"$output.new"
mv "$output.new" "$output"
