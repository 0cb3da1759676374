#pragma once
// The check: every problem of a pair of descriptions in one run. It reads
// them as the compile does, but goes on after each error with the next
// record as if the faulty one were absent, completes the route, and looks at
// the stamps; it writes no file.

#include <cstddef>
#include <vector>

#include "reading/diagnostics.h"
#include "compiler/parser.h"

namespace compiler {

struct CheckResult {
  std::vector<Diagnostic> diagnostics;  // in the order found
  std::size_t errors = 0;
  std::size_t warnings = 0;
  std::size_t dropped = 0;  // counted but not kept, past the limit
};

CheckResult check_descriptions(const DescriptionSources& sources);

}  // namespace compiler
