#include <ostream>
#include <string>

#include "compiler/check.h"
#include "compiler/parser.h"
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

}  // namespace tools
