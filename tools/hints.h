#pragma once
// What the tool adds to the compiler's messages: where to read more. The
// compiler itself never names the tool.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "reading/error_kinds.h"

namespace tools {

// " (scenario_tool explain KIND)": the end of an error line whose kind has
// an explanation; empty for any other.
std::string explain_hint(compiler::ErrorKind kind);

// The end of a line that tells of records the compile did not read.
inline constexpr std::string_view kCheckHint = "; 'scenario_tool check' lists every problem";

// The warning rules of the names given to --no-warn; nothing (after saying
// why on err, as command) when a name is no rule's.
std::optional<std::vector<compiler::WarningRule>> rules_turned_off(const std::vector<std::string>& names,
                                                                   std::string_view command, std::ostream& err);

// The help of the --no-warn option.
inline constexpr const char* kNoWarnHelp =
    "Turn off the warnings of a rule (repeat for more; scenario_tool explain lists them)";

}  // namespace tools
