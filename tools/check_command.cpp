#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

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
  const auto silenced = rules_turned_off(options.no_warn, "scenario_tool check", err);
  if (!silenced) return kExitUsage;
  const compiler::DescriptionFiles files{options.line_path, options.train_path, /*consume=*/false};
  const compiler::CheckResult result = compiler::check_descriptions(compiler::read_sources(files), *silenced);
  if (options.format == "json") {
    out << diagnostics_json(result.diagnostics).dump(2) << '\n';
  } else {
    for (const compiler::Diagnostic& diagnostic : result.diagnostics)
      out << compiler::render_diagnostic(diagnostic, explain_hint);
    if (result.dropped > 0) out << counted(result.dropped, "more diagnostic") << " not shown\n";
    out << counted(result.errors, "error") << ", " << counted(result.warnings, "warning") << '\n';
  }
  const bool failed =
      result.errors > 0 || result.files_swapped || (options.warnings_as_errors && result.warnings > 0);
  return failed ? kExitRecorded : kExitClean;
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
            command.add_option("-W,--no-warn", options->no_warn, kNoWarnHelp)->allow_extra_args(false);
            command.add_flag("--warnings-as-errors", options->warnings_as_errors,
                             "Exit with status 1 when there is a warning too");
            command.footer(
                "Exit status: 0 no error (warnings allowed unless --warnings-as-errors), 1 errors found, 64 bad "
                "usage.");
            return CommandRunner([options](std::ostream& out, std::ostream& err) {
              return run_check(*options, out, err);
            });
          }};
}

}  // namespace tools
