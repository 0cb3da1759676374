#include <memory>
#include <ostream>
#include <string>

#include "compiler/check.h"
#include "compiler/parser.h"
#include "tools/command.h"
#include "tools/commands.h"
#include "tools/diagnostic_json.h"
#include "tools/hints.h"

namespace tools {
namespace {

std::string counted(std::size_t count, const char* word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

int run_check(const CheckOptions& options, std::ostream& out, std::ostream& err) {
  if (options.format != "text" && options.format != "json") {
    err << "scenario_tool check: --format is text or json, not '" << options.format << "'\n";
    return kExitUsage;
  }
  const compiler::DescriptionFiles files{options.line_path, options.train_path, /*consume=*/false};
  const compiler::CheckResult result = compiler::check_descriptions(compiler::read_sources(files));
  if (options.format == "json") {
    out << diagnostics_json(result.diagnostics).dump(2) << '\n';
  } else {
    for (const compiler::Diagnostic& diagnostic : result.diagnostics)
      out << compiler::render_diagnostic(diagnostic, explain_hint);
    if (result.dropped > 0) out << counted(result.dropped, "more diagnostic") << " not shown\n";
    out << counted(result.errors, "error") << ", " << counted(result.warnings, "warning") << '\n';
  }
  return result.errors == 0 ? kExitClean : kExitRecorded;
}

// The command line of `scenario_tool check`.
Command check_command() {
  return {"check",
          "Report every problem of a line and a train description in one run: errors, warnings, the field at "
          "fault. Writes no file.",
          [](CLI::App& command) {
            auto options = std::make_shared<CheckOptions>();
            command.add_option("LINE", options->line_path, "Line description file (S_linea.txt)")->required();
            command.add_option("TRAIN", options->train_path, "Train description file (S_T-.txt)")->required();
            command.add_option("--format", options->format, "text (gcc style, for a terminal) or json")
                ->check(CLI::IsMember({"text", "json"}))
                ->capture_default_str();
            command.footer("Exit status: 0 no error (warnings allowed), 1 errors found, 64 bad usage.");
            return CommandRunner([options](std::ostream& out, std::ostream& err) {
              return run_check(*options, out, err);
            });
          }};
}

}  // namespace tools
