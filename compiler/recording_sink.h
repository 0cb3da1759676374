#pragma once
// The compile's sink: the format records the error kind in the model and
// stops the reading at the first error.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/model.h"
#include "reading/diagnostics.h"

namespace compiler {

// The compile's sink: records the kind (and its position, where it has one)
// in the model, keeps the diagnostic of the kind recorded last, and stops
// the reading. Warnings are kept to be shown, up to a limit past which only
// their count goes on.
class RecordingSink : public DiagnosticSink {
 public:
  explicit RecordingSink(CompiledModel& model, std::size_t warning_limit = 1000)
      : model_(model), warnings_(warning_limit) {}
  void report(Diagnostic diagnostic) override;
  bool goes_on_after_errors() const override { return false; }
  void reading_stopped(const std::string& file, int line) override;
  // Warnings of rule are neither kept nor counted from now on.
  void silence(WarningRule rule) { warnings_.silence(rule); }

  // The diagnostic of the kind recorded last, if any.
  const std::optional<Diagnostic>& recorded() const { return recorded_; }
  const std::vector<Diagnostic>& warnings() const { return warnings_.kept(); }
  // Warnings counted but not kept, past the limit.
  std::size_t warnings_dropped() const { return warnings_.dropped(); }
  // Files whose reading an error cut short: the file and the faulty line (0:
  // the file was not read at all).
  const std::vector<std::pair<std::string, int>>& stopped() const { return stopped_; }
  // Errors reported, and how many of them by the post-pass.
  std::size_t errors() const { return errors_; }
  std::size_t route_errors() const { return route_errors_; }

 private:
  CompiledModel& model_;
  BoundedDiagnostics warnings_;
  std::size_t errors_ = 0;
  std::size_t route_errors_ = 0;
  std::optional<Diagnostic> recorded_;
  std::vector<std::pair<std::string, int>> stopped_;
};

}  // namespace compiler
