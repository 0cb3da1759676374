#pragma once
// The report line an author reads for a recorded error kind, and the prompt
// of the stamping error box.

#include <cstdint>
#include <optional>
#include <string>

#include "reading/diagnostics.h"
#include "reading/error_kinds.h"

namespace compiler {

// The report of a recorded kind:
//   FILE:LINE: error KIND at POS m: MEANING
//   <the record's source line>
//   <a caret under the field at fault>
// "route:" stands in front for the post-pass kinds; a kind without a record
// names only the file. Ends with a line feed.
std::string format_recorded_error(std::int32_t kind, std::int32_t position, const std::optional<Diagnostic>& source);

// The prompt of the stamping error box: " Errore n. " and the number.
std::string errore_prompt(int number);

}  // namespace compiler
