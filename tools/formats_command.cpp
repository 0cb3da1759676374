#include <memory>
#include <ostream>

#include "platform/files.h"
#include "tools/command.h"
#include "tools/commands.h"
#include "tools/formats_page.h"

namespace tools {

std::string formats_text(bool man, const std::string& version) {
  const Doc doc = formats_reference();
  if (!man) return render_markdown(doc);
  return render_man(doc, {"scenario_tool-formats", 5, "scenario_tool " + version, "File Formats",
                          "the line and train description files of a scenario"});
}

int run_formats(const FormatsOptions& options, std::ostream& out, std::ostream& err) {
  const std::string text = formats_text(options.man, options.version);
  if (!options.output) {
    out << text;
    return kExitClean;
  }
  try {
    platform::replace_file(*options.output, text);
  } catch (const platform::FileError& error) {
    err << "scenario_tool formats: cannot write " << error.path() << ": " << error.reason() << '\n';
    return kExitStopped;
  }
  return kExitClean;
}

// The command line of `scenario_tool formats`.
Command formats_command() {
  return {"formats",
          "Print the reference of the line and train description files (docs/description-files.md) as Markdown "
          "or as a manual page.",
          [](CLI::App& command) {
            auto options = std::make_shared<FormatsOptions>();
            options->version = SCENARIO_VERSION;
            command.add_flag("--man", options->man, "The manual page scenario_tool-formats(5) instead");
            command.add_option("-o,--output", options->output, "File to write (default: standard output)");
            return CommandRunner([options](std::ostream& out, std::ostream& err) {
              return run_formats(*options, out, err);
            });
          }};
}

}  // namespace tools
