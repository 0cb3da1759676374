#pragma once
// The check: every problem of a pair of descriptions in one run. It is the
// compile's own pass with a sink that collects: the reading goes on after
// each error with the next record as if the faulty one were absent, the
// route is completed and stamped; no file is written.

#include <cstddef>
#include <span>
#include <vector>

#include "compiler/compile.h"
#include "model/model.h"
#include "reading/diagnostics.h"

namespace compiler {

struct CheckResult {
  std::vector<Diagnostic> diagnostics;  // in the order an author reads them
  std::size_t errors = 0;
  std::size_t warnings = 0;
  std::size_t dropped = 0;  // counted but not kept, past the limit
  // The two files were given in the wrong order: the one diagnostic kept
  // says so, and the check counts as failed.
  bool files_swapped = false;
};

// Checks the descriptions of request into model. The model is the one the
// check's reading built: with no error it is the compile's model, byte for
// byte; with errors, the faulty records are left out. Set
// model.track_plan.keep_positions_only() first where no coordinates are
// wanted.
// silenced: the warning rules the author turned off.
CheckResult check_compile(CompiledModel& model, const CompileRequest& request,
                          std::span<const WarningRule> silenced = {});

// The check alone, as `check` runs it: a full compile's reading that keeps
// no track plan coordinates.
CheckResult check_descriptions(DescriptionSources sources, std::span<const WarningRule> silenced = {});

}  // namespace compiler
