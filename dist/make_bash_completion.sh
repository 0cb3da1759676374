#!/usr/bin/env bash
# Writes the bash completion of scenario_tool from the tool's own help, so
# that a command or option added to the tool is completed without an edit
# here. Run at build time:
#
#   dist/make_bash_completion.sh TOOL OUTPUT
#
# From `TOOL --help` it takes the commands and the tool's options; from
# `TOOL COMMAND --help` each command's options, which of them take a value
# (a type such as TEXT follows the names) and, for an option whose value is
# one of a set (TEXT:{text,json}), that set. From `TOOL explain` it takes the
# error kinds and the warning rules, offered after `explain` and after the
# options that turn a warning rule off.
set -euo pipefail
tool=$1
output=$2

# The options whose value is a warning rule's name, as COMMAND:NAME,NAME.
# The generation fails when the command's help no longer has them, so that
# a renamed option cannot leave the completion offering file names.
rule_options=("check:-W,--no-warn" "compile:-W,--no-warn")

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
# "NAME,NAME VALUE,VALUE" of each option under "Options:" whose value is one
# of a set, as the help writes it: "--format TEXT:{text,json}=text".
value_sets() {
  awk '/^[^ ].*:$/ { section = $0; next }
       section == "Options:" && /^  -[^ ]+ [A-Z][A-Z0-9_]*:\{[^}]*\}/ {
         set = $2
         sub(/^[^{]*\{/, "", set)
         sub(/\}.*$/, "", set)
         print $1, set
       }'
}
words() { tr '\n' ' ' | sed 's/ $//'; }
# "a|b" from "a,b": the pattern of a case branch.
alternatives() { tr ',' '|'; }

help=$("$tool" --help)
command_list=$(commands <<<"$help" | words)
[ -n "$command_list" ] || { echo "$0: no commands in the help of $tool" >&2; exit 1; }

# `TOOL explain` lists one kind or rule a line, its meaning after a tab: the
# error kinds are numbers, the warning rules names.
explained=$("$tool" explain)
kinds=$(awk -F '\t' '$1 ~ /^[0-9]+$/ { print $1 }' <<<"$explained" | words)
rules=$(awk -F '\t' '$1 !~ /^[0-9]+$/ { print $1 }' <<<"$explained" | words)
[ -n "$kinds" ] && [ -n "$rules" ] || { echo "$0: $tool explain lists no error kinds or no warning rules" >&2; exit 1; }
for word in $kinds $rules; do
  [[ $word =~ ^[A-Za-z0-9_-]+$ ]] || { echo "$0: '$word' from $tool explain is not a plain name" >&2; exit 1; }
done

{
  echo "# bash completion for scenario_tool, made from the tool's help at build time."
  echo "_scenario_tool() {"
  echo "  local cur=\${COMP_WORDS[COMP_CWORD]} prev=\${COMP_WORDS[COMP_CWORD-1]}"
  echo "  local commands=\"$command_list\" command= options= value_options= i"
  echo "  # Words offered instead of file names: for the value of the option before"
  echo "  # the word (choices), or for every operand of the command (operands)."
  echo "  local choices= operands= has_choices= has_operands="
  echo "  local kinds=\"$kinds\""
  echo "  local rules=\"$rules\""
  echo "  for ((i = 1; i < COMP_CWORD; i++)); do"
  echo "    case \" \$commands \" in *\" \${COMP_WORDS[i]} \"*) command=\${COMP_WORDS[i]}; break ;; esac"
  echo "  done"
  echo "  case \$command in"
  echo "    '') options=\"$(options 0 <<<"$help" | words)\""
  echo "        value_options=\"$(options 1 <<<"$help" | words)\" ;;"
  for command in $command_list; do
    command_help=$("$tool" "$command" --help)
    echo "    $command) options=\"$(options 0 <<<"$command_help" | words)\""
    echo "        value_options=\"$(options 1 <<<"$command_help" | words)\""
    branches=()
    while read -r names set; do
      [ -n "$names" ] || continue
      branches+=("$(alternatives <<<"$names")) choices=\"$(tr ',' ' ' <<<"$set")\"; has_choices=1 ;;")
    done < <(value_sets <<<"$command_help")
    for entry in "${rule_options[@]}"; do
      [ "${entry%%:*}" = "$command" ] || continue
      names=${entry#*:}
      grep -q "^  $names " <<<"$command_help" ||
        { echo "$0: $tool $command --help has no option $names for warning rules" >&2; exit 1; }
      branches+=("$(alternatives <<<"$names")) choices=\$rules; has_choices=1 ;;")
    done
    if [ "${#branches[@]}" -gt 0 ]; then
      echo "        case \$prev in"
      for branch in "${branches[@]}"; do echo "          $branch"; done
      echo "        esac"
    fi
    # explain takes an error kind or a warning rule, not a file.
    [ "$command" = explain ] && echo "        operands=\"\$kinds \$rules\"; has_operands=1"
    echo "        ;;"
  done
  echo "  esac"
  echo "  if [ -n \"\$has_choices\" ]; then"
  echo "    COMPREPLY=(\$(compgen -W \"\$choices\" -- \"\$cur\"))"
  echo "  elif [ -n \"\$has_operands\" ] && [[ \" \$value_options \" != *\" \$prev \"* ]] && [[ \$cur != -* ]]; then"
  echo "    COMPREPLY=(\$(compgen -W \"\$operands\" -- \"\$cur\"))"
  echo "  # The value of any other option, and every operand of any other command, is a file or folder."
  echo "  elif [[ \" \$value_options \" == *\" \$prev \"* ]] || { [ -n \"\$command\" ] && [[ \$cur != -* ]]; }; then"
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
