#include "compiler/check.h"

#include <algorithm>
#include <limits>

#include "compiler/output.h"
#include "compiler/post_pass.h"
#include "reading/record_reading.h"

namespace compiler {

CheckResult check_descriptions(const DescriptionSources& sources) {
  CompiledModel model;
  model.full_compile = 1;
  // The check reports where the plan stops, never its coordinates.
  model.track_plan.keep_positions_only();
  CollectingSink sink;
  ReadingContext context(sources.line, sources.train, sink);
  context.set_goes_on_after_errors(true);
  parse_descriptions(model, context);
  if (model.route_sized()) {
    route_post_pass(model, &context);
    const int stamped = stamp(model);
    if (stamped == kErrore1250 || stamped == kErrore1251) {
      std::string message = "cell 1 of the route holds a value where the compile stamps its marks: it stops with "
                            "' Errore n. " + std::to_string(stamped) + "' and writes no file";
      if (const CellHolder* holder = context.holder(1)) {
        sink.report(holder->file->diagnostic_at(holder->offset, Severity::kError, stamped, std::move(message)));
      } else {
        Diagnostic diagnostic;
        diagnostic.kind = stamped;
        diagnostic.message = std::move(message);
        sink.report(std::move(diagnostic));
      }
    }
  } else if (sink.errors() == 0) {
    sink.report(context.line.diagnostic_for_file(
        Severity::kError, 0, "the line description gives no line length: no route is compiled and no file written"));
  }
  // In the order an author reads them: the line description, the train
  // description, then what concerns no file; each file by line, what
  // concerns the whole file after its lines.
  std::vector<Diagnostic> diagnostics = sink.diagnostics();
  const auto file_rank = [&](const Diagnostic& diagnostic) {
    if (diagnostic.file.empty()) return 2;
    return diagnostic.file == context.line.name() ? 0 : 1;
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

}  // namespace compiler
