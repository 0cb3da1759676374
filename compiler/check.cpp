#include "compiler/check.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace compiler {

CheckResult check_compile(CompiledModel& model, const CompileRequest& request,
                          std::span<const WarningRule> silenced) {
  CollectingSink sink;
  for (const WarningRule rule : silenced) sink.silence(rule);
  PassResult pass = compile_pass(model, request, sink);
  // Swapped files make every record of both out of place: the pass's
  // warning about them alone is told. The model is still the one the pass
  // built.
  for (const Diagnostic& diagnostic : sink.diagnostics()) {
    if (diagnostic.rule != WarningRule::kFilesSwapped) continue;
    CheckResult result;
    result.diagnostics.push_back(diagnostic);
    result.warnings = 1;
    result.files_swapped = true;
    return result;
  }
  // A route that was never sized is told only when no error explains it.
  if (pass.stop && (model.route_sized() || sink.errors() == 0)) sink.report(std::move(*pass.stop));
  // In the order an author reads them: the line description, the train
  // description, then what concerns no file; each file by line, what
  // concerns the whole file after its lines.
  std::vector<Diagnostic> diagnostics = sink.diagnostics();
  const std::string& line_name = request.sources.line.name;
  const auto file_rank = [&](const Diagnostic& diagnostic) {
    if (diagnostic.file.empty()) return 2;
    return diagnostic.file == line_name ? 0 : 1;
  };
  std::stable_sort(diagnostics.begin(), diagnostics.end(), [&](const Diagnostic& a, const Diagnostic& b) {
    if (file_rank(a) != file_rank(b)) return file_rank(a) < file_rank(b);
    const auto line_rank = [](const Diagnostic& diagnostic) {
      return diagnostic.line > 0 ? diagnostic.line : std::numeric_limits<int>::max();
    };
    return line_rank(a) < line_rank(b);
  });
  return {std::move(diagnostics), sink.errors(), sink.warnings(), sink.dropped()};
}

CheckResult check_descriptions(DescriptionSources sources, std::span<const WarningRule> silenced) {
  CompiledModel model;
  // The check reports where the plan stops, never its coordinates.
  model.track_plan.keep_positions_only();
  CompileRequest request;
  request.sources = std::move(sources);
  return check_compile(model, request, silenced);
}

}  // namespace compiler
