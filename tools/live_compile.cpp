#include "tools/live_compile.h"

#include "compiler/compile.h"
#include "compiler/errors.h"
#include "compiler/output.h"

namespace tools {
namespace {

nlohmann::json error_object(std::int32_t kind, const std::string& file, int line, int column, std::string message,
                            const nlohmann::json& position) {
  return {{"severity", "error"}, {"kind", kind},       {"file", file},         {"line", line},
          {"column", column},    {"message", message}, {"notes", nlohmann::json::array()}, {"position", position}};
}

}  // namespace

LiveCompile compile_live(const LiveCompileRequest& request) {
  compiler::CompileRequest compile;
  compile.scenario_id = request.scenario_id;
  compile.train_id = request.train_id;
  compile.j = request.no_plan ? 0 : 1;
  compile.sources = compiler::read_sources({request.line_path, request.train_path, /*consume=*/false});

  LiveCompile result;
  auto model = std::make_unique<compiler::CompiledModel>();
  compiler::CompileReport report;
  const bool sized = compiler::compile_model(*model, compile, &report);
  if (model->error_code != 0) {
    const std::int32_t kind = model->error_code;
    const std::optional<compiler::Diagnostic>& source = report.recorded;
    const std::string file = source && !source->file.empty() ? source->file : "route";
    const nlohmann::json position =
        compiler::error_has_position(kind) ? nlohmann::json(model->error_position) : nlohmann::json(nullptr);
    result.diagnostics.push_back(error_object(kind, file, source ? source->line : 0, source ? source->column : 0,
                                              source ? source->message : std::string(compiler::error_meaning(kind)),
                                              position));
  }
  if (!sized) {
    result.diagnostics.push_back(error_object(0, request.line_path, 0, 0,
                                              "no route was compiled: the line description gave no line length",
                                              nullptr));
  } else {
    const int stamped = compiler::stamp(*model);
    if (stamped == compiler::kNoMarkCell) {
      result.diagnostics.push_back(error_object(0, request.line_path, 0, 0,
                                                "the route has no cell 1 to carry its marks", nullptr));
    } else if (stamped != compiler::kStamped) {
      result.diagnostics.push_back(error_object(stamped, "route", 0, 0, compiler::errore_prompt(stamped), nullptr));
    }
    result.model = std::move(model);
  }
  for (const auto& diagnostic : result.diagnostics) result.errors += diagnostic["severity"] == "error" ? 1 : 0;
  return result;
}

}  // namespace tools
