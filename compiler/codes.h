#pragma once
// The two integrity codes stamped into the compiled files, both drawn from
// the train and scenario identifiers, so that the simulator can tell that a
// scenario file and a route file were compiled together.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/model.h"

namespace compiler {

inline constexpr std::size_t kCodeTextLength = 25;
inline constexpr std::string_view kCodeFill = "kkmmppqqrrssttuuvvwwxxyyzz";

// The 25 bytes both codes are summed over: the train identifier and then the
// scenario identifier, lower-cased, padded with the fill text.
std::string code_text(std::string_view train_text, std::string_view scenario_text);

// The two codes over the identifier texts themselves, for a reader that
// checks that compiled files belong together.
std::int32_t table_code(std::string_view train_text, std::string_view scenario_text);
std::int16_t route_code(std::string_view train_text, std::string_view scenario_text);

// table_code: 1 * a(1) + 2 * a(2) + ... + 25 * a(25) over the code text of
// entries 86 and 85, each a(i) a byte value 0 .. 255. At most 82,875.
std::int32_t codice_gara_st(const CompiledModel& model);
// route_code: a(1) + ... + a(25). At most 6375, so it fits 16 bits.
std::int16_t codice_gara_og(const CompiledModel& model);

}  // namespace compiler
