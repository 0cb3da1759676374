#include "compiler/recording_sink.h"

namespace compiler {

void RecordingSink::report(Diagnostic diagnostic) {
  if (diagnostic.severity != Severity::kError) {
    if (!warnings_.silenced(diagnostic)) warnings_.keep(std::move(diagnostic));
    return;
  }
  ++errors_;
  if (is_route_error(diagnostic.kind)) ++route_errors_;
  model_.error_code = number(diagnostic.kind);
  if (diagnostic.position) model_.error_position = *diagnostic.position;
  recorded_ = std::move(diagnostic);
}

void RecordingSink::reading_stopped(const std::string& file, int line) { stopped_.emplace_back(file, line); }

}  // namespace compiler
