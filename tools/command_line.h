#pragma once
// What scenario_tool's command line answers besides its commands: --version,
// --help-all (every command's options, which the manual page is made from),
// and usage errors that name the commands. The command names always come
// from the CLI::App itself, so a command added there is listed everywhere.

#include <CLI/CLI.hpp>

#include <iostream>
#include <optional>
#include <string>

#include "tools/commands.h"

namespace tools {

// The names of app's commands, in the order they were added: "a, b, c".
inline std::string command_names(const CLI::App& app) {
  std::string names;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (!names.empty()) names += ", ";
    names += command->get_name();
  }
  return names;
}

// Names the program in its usage lines whatever path it was started by, and
// adds --version (printing "scenario_tool VERSION") and --help-all.
inline void set_up_command_line(CLI::App& app, const std::string& version) {
  app.name("scenario_tool");
  app.set_version_flag("--version", "scenario_tool " + version);
  app.set_help_all_flag("--help-all", "Print the help of every command and exit");
}

// Parses the command line. Returns the exit status when the run ends here
// (help, version, a usage error), nothing when a command is to run. The tool
// takes no arguments of its own, so the first argument that is not an
// option must name a command.
inline std::optional<int> parse_command_line(CLI::App& app, int argc, char** argv) {
  const auto is_command = [&app](const std::string& word) {
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
      if (command->check_name(word)) return true;
    }
    return false;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.empty() || word[0] == '-') continue;
    if (is_command(word)) break;
    std::cerr << "unknown command '" << word << "'; commands: " << command_names(app) << "\n";
    return kExitUsage;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::RequiredError& error) {
    if (app.get_subcommands().empty()) {
      const std::vector<std::string> left = app.remaining();
      if (left.empty()) {
        std::cerr << "a command is required; commands: " << command_names(app) << "\n";
      } else {
        std::cerr << "unknown option '" << left.front() << "'\n";
      }
      std::cerr << "Run with --help for more information.\n";
      return kExitUsage;
    }
    app.exit(error);
    return kExitUsage;
  } catch (const CLI::Success& done) {  // --help, --help-all, --version
    return app.exit(done);
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return kExitUsage;
  }
  return std::nullopt;
}

}  // namespace tools
