#include "compiler/check.h"

#include "compiler/output.h"
#include "compiler/post_pass.h"
#include "compiler/record_reading.h"

namespace compiler {

CheckResult check_descriptions(const DescriptionSources& sources) {
  CompiledModel model;
  model.full_compile = 1;
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
  return {sink.diagnostics(), sink.errors(), sink.warnings(), sink.dropped()};
}

}  // namespace compiler
