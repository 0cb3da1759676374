#!/usr/bin/env bash
# Stands in for scenario_tool when help2man makes the manual page: --version
# is passed through, and --help prints the tool's help rearranged into the
# shape help2man turns into sections: the tool's options, the list of
# commands, then one subsection per command with its usage, description,
# operands and options. Everything comes from the tool's own help, so a new
# command or option appears in the manual without an edit here.
#
#   dist/help_for_manual.sh TOOL --help|--version
set -euo pipefail
tool=$1
shift
if [ "${1:-}" != --help ]; then
  exec "$tool" "$@"
fi

# Lines of one section ("Options:", "Positionals:", "Subcommands:"), without
# the help options every command repeats.
section() {
  awk -v want="$1" '/^[^ ].*:$/ { section = $0; next }
       /^$/ { section = "" }
       section == want && !/^  (-h,--help|--help-all) / { print }'
}

help=$("$tool" --help)
echo "Usage: scenario_tool COMMAND [OPTIONS] [ARGUMENTS]"
echo "  or:  scenario_tool --help | --help-all | --version"
sed -n '1p' <<<"$help"
echo
echo "Options:"
echo "  -h,--help                   Print the help and exit; after a command, that command's help"
section "Options:" <<<"$help"
echo "  --help-all                  Print the help of every command and exit"
echo
echo "Commands:"
section "Subcommands:" <<<"$help"
for command in $(section "Subcommands:" <<<"$help" | awk '{ print $1 }'); do
  command_help=$("$tool" "$command" --help)
  echo
  sed -n 's/^Usage: \(.*\)$/\1:/p' <<<"$command_help"
  sed -n '1s/^/  /p' <<<"$command_help"
  echo
  # An operand is named by itself: "LINE TEXT REQUIRED" becomes "LINE".
  section "Positionals:" <<<"$command_help" | sed -E 's/^  ([^ ]+) [A-Z]+ REQUIRED/  \1/'
  section "Options:" <<<"$command_help"
done
