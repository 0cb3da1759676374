#include "tools/live_compile.h"

#include "compiler/check.h"
#include "tools/diagnostic_json.h"

namespace tools {

LiveCompile compile_live(const LiveCompileRequest& request) {
  compiler::CompileRequest compile;
  compile.scenario_id = request.scenario_id;
  compile.train_id = request.train_id;
  compile.j = request.no_plan ? 0 : 1;
  compile.sources = compiler::read_sources({request.line_file.empty() ? request.line_path : request.line_file,
                                            request.train_file.empty() ? request.train_path : request.train_file,
                                            /*consume=*/false});
  compile.sources.line.name = request.line_path;
  compile.sources.train.name = request.train_path;

  // One reading of the saved files: the check's pass, which reads on after
  // an error and so reports every one, and whose model is the compile's
  // own wherever it met no error.
  LiveCompile result;
  auto model = std::make_unique<compiler::CompiledModel>();
  const compiler::CheckResult check = compiler::check_compile(*model, compile);
  for (const compiler::Diagnostic& diagnostic : check.diagnostics) {
    result.diagnostics.push_back(diagnostic_json(diagnostic));
    result.positions.push_back(diagnostic.position ? nlohmann::json(*diagnostic.position) : nlohmann::json(nullptr));
  }
  result.errors = static_cast<int>(check.errors);
  if (model->route_sized()) result.model = std::move(model);
  return result;
}

}  // namespace tools
