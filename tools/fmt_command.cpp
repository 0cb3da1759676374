#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tools/command.h"
#include "tools/commands.h"
#include "tools/formatter.h"

namespace tools {

int run_fmt(const FmtOptions& options, std::ostream& out, std::ostream& err) {
  bool failed = false;
  bool would_change = false;
  for (const std::string& path : options.files) {
    std::optional<std::string> text;
    try {
      text = platform::read_file(path);
    } catch (const platform::FileError& error) {
      err << "scenario_tool fmt: cannot read " << path << ": " << error.reason() << '\n';
      failed = true;
      continue;
    }
    if (!text) {
      err << "scenario_tool fmt: " << path << " does not exist\n";
      failed = true;
      continue;
    }
    const std::string formatted = format_description(*text, description_of_file(path, *text));
    // A file already in the layout is not touched: its time stays too.
    if (formatted == *text) continue;
    if (options.check) {
      out << path << '\n';
      would_change = true;
      continue;
    }
    try {
      platform::rewrite_file(path, formatted);
    } catch (const platform::FileError& error) {
      err << "scenario_tool fmt: cannot write " << path << ": " << error.reason() << '\n';
      failed = true;
      continue;
    }
    out << "formatted " << path << '\n';
  }
  if (failed) return kExitStopped;
  return would_change ? kExitRecorded : kExitClean;
}

// The command line of `scenario_tool fmt`.
Command fmt_command() {
  return {"fmt",
          "Rewrite description files in the canonical layout (one record a line, aligned fields, CR LF), "
          "changing nothing the compile reads.",
          [](CLI::App& command) {
            auto options = std::make_shared<FmtOptions>();
            command.add_option("FILE", options->files, "Line or train description file (S_linea.txt, S_T-.txt)")
                ->required();
            command.add_flag("--check", options->check,
                             "Write nothing: list the files that would change, and exit with status 1 if any "
                             "would");
            command.footer(
                "A file named S_linea.txt is a line description and one named S_T-.txt a train description; "
                "another name is told by its records. Only a file that changes is written, whole, through a "
                "temporary file beside it, keeping its permissions. Lines the compile passes over, records of "
                "another shape, lines with a warning or an error, and the text before [generale] stay as they "
                "are.\n"
                "Exit status: 0 done (or, with --check, nothing would change), 1 with --check: a file would "
                "change, 2 a file could not be read or written (the others are still done), 64 bad usage.");
            return CommandRunner([options](std::ostream& out, std::ostream& err) {
              return run_fmt(*options, out, err);
            });
          }};
}

}  // namespace tools
