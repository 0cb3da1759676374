// scenario_tool: the authoring tool. Each command is defined in its own
// file (tools/command.h); this file builds the command line from the list
// of commands and runs the one chosen.

#include <CLI/CLI.hpp>

#include <iostream>
#include <new>
#include <vector>

#include "platform/signals.h"

#include "tools/command.h"
#include "tools/command_line.h"
#include "tools/commands.h"

// Memory running out anywhere, the command line included, ends with a
// message and exit status 2, never an abort.
int main(int argc, char** argv) try {
  platform::ignore_file_size_signal();
  CLI::App app{"Authoring tool for train scenarios: export the embedded texts, compile description files, "
               "decode compiled files."};
  app.require_subcommand(1);
  tools::set_up_command_line(app, SCENARIO_VERSION);

  struct Added {
    const CLI::App* command;
    tools::CommandRunner run;
  };
  std::vector<Added> added;
  for (const tools::Command& command : tools::all_commands()) {
    CLI::App* subcommand = app.add_subcommand(command.name, command.description);
    added.push_back({subcommand, command.add_options(*subcommand)});
  }

  if (const auto status = tools::parse_command_line(app, argc, argv)) return *status;

  for (const Added& command : added) {
    if (command.command->parsed()) return command.run(std::cout, std::cerr);
  }
  return tools::kExitUsage;
} catch (const std::bad_alloc&) {
  std::cout.flush();
  std::cerr << "scenario_tool: out of memory; stopped\n";
  return tools::kExitStopped;
}
