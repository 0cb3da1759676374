#pragma once
// What the tool adds to the compiler's messages: where to read more. The
// compiler itself never names the tool.

#include <string>
#include <string_view>

#include "reading/error_kinds.h"

namespace tools {

// " (scenario_tool explain KIND)": the end of an error line whose kind has
// an explanation; empty for any other.
std::string explain_hint(compiler::ErrorKind kind);

// The end of a line that tells of records the compile did not read.
inline constexpr std::string_view kCheckHint = "; 'scenario_tool check' lists every problem";

}  // namespace tools
