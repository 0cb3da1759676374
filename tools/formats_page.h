#pragma once
// The reference of the two description files, made from the compiler's
// record table and error kinds: docs/description-files.md and the manual
// page scenario_tool-formats(5) are both this document.

#include "tools/reference_doc.h"

namespace tools {

Doc formats_reference();

}  // namespace tools
