#pragma once
// The error kinds the compiler records, what each means, and the report
// line an author reads for one.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/description_file.h"

namespace compiler {

// A few words on what a recorded kind means; empty for a kind the compiler
// never records.
std::string_view error_meaning(std::int32_t kind);
// Kinds that record a position in metres.
bool error_has_position(std::int32_t kind);
// Kinds recorded by the route post-pass rather than by a description record.
bool is_route_error(std::int32_t kind);
bool is_known_error_kind(std::int32_t kind);

// The report of a recorded kind:
//   FILE:LINE: error KIND at POS m: MEANING
//   <the record's source line>
//   <a caret under the start of its keyword>
// "route:" stands in front for the post-pass kinds; a kind without a record
// names only the file. Ends with a line feed.
std::string format_recorded_error(std::int32_t kind, std::int32_t position,
                                  const std::optional<ErrorSource>& source,
                                  std::string_view fallback_file = {});

// The prompt of the stamping error box: " Errore n. " and the number.
std::string errore_prompt(int number);

}  // namespace compiler
