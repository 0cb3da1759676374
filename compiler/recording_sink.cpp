#include "compiler/recording_sink.h"

#include <algorithm>

namespace compiler {

void RecordingSink::report(Diagnostic diagnostic) {
  if (diagnostic.severity != Severity::kError) {
    if (std::find(silenced_.begin(), silenced_.end(), diagnostic.rule) != silenced_.end()) return;
    if (Diagnostic* repeated = grouping_ ? repeated_in(warnings_, diagnostic) : nullptr) {
      count_repeat(*repeated, diagnostic);
    } else if (warnings_.size() < warning_limit_) {
      warnings_.push_back(std::move(diagnostic));
    } else {
      ++warnings_dropped_;
      grouping_ = false;
    }
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
