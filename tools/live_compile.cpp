#include "tools/live_compile.h"

#include "compiler/check.h"
#include "compiler/compile.h"
#include "compiler/errors.h"
#include "compiler/output.h"
#include "tools/diagnostic_json.h"

namespace tools {
namespace {

void add(LiveCompile& result, const compiler::Diagnostic& diagnostic) {
  result.diagnostics.push_back(diagnostic_json(diagnostic));
  result.positions.push_back(diagnostic.position ? nlohmann::json(*diagnostic.position) : nlohmann::json(nullptr));
  if (diagnostic.severity == compiler::Severity::kError) ++result.errors;
}

compiler::Diagnostic plain_error(std::string file, std::string message) {
  compiler::Diagnostic diagnostic;
  diagnostic.file = std::move(file);
  diagnostic.message = std::move(message);
  return diagnostic;
}

}  // namespace

LiveCompile compile_live(const LiveCompileRequest& request) {
  const compiler::DescriptionSources sources =
      compiler::read_sources({request.line_path, request.train_path, /*consume=*/false});
  compiler::CompileRequest compile;
  compile.scenario_id = request.scenario_id;
  compile.train_id = request.train_id;
  compile.j = request.no_plan ? 0 : 1;
  compile.sources = sources;

  // The drawing comes from the compile; the diagnostics from the check,
  // which reads on after an error and so reports every one.
  LiveCompile result;
  auto model = std::make_unique<compiler::CompiledModel>();
  compiler::CompileReport report;
  const bool sized = compiler::compile_model(*model, compile, &report);
  const compiler::CheckResult check = compiler::check_descriptions(sources);
  for (const compiler::Diagnostic& diagnostic : check.diagnostics) add(result, diagnostic);

  // What the compile met and the check did not report, so that no stop
  // goes unexplained.
  if (result.errors == 0 && report.recorded) add(result, *report.recorded);
  if (!sized) {
    if (result.errors == 0) {
      add(result, plain_error(request.line_path, "no route was compiled: the line description gave no line length"));
    }
    return result;
  }
  const int stamped = compiler::stamp(*model);
  if (stamped == compiler::kNoMarkCell && result.errors == 0) {
    add(result, plain_error(request.line_path, "the route has no cell 1 to carry its marks"));
  } else if (stamped != compiler::kStamped && stamped != compiler::kNoMarkCell && result.errors == 0) {
    compiler::Diagnostic stamp_error = plain_error("route", compiler::errore_prompt(stamped));
    stamp_error.kind = stamped;
    add(result, stamp_error);
  }
  result.model = std::move(model);
  return result;
}

}  // namespace tools
