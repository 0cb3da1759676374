#pragma once
// The scenario file: the 87 entries of the scenario table, entry 0 first,
// each a packed record whose size follows its text. Shared by the compiler
// that writes it and the tools that read it.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "formats/byte_order.h"
#include "model/model.h"

namespace compiler {

using ScenarioTable = std::array<ScenarioEntry, kScenarioEntries>;

// A record without its text bytes: the numbers and the 2-byte text length.
inline constexpr std::size_t kEntryFixedBytes = 34;
// The text length field is 16 bits wide; a longer text cannot be recorded.
inline constexpr std::size_t kMaxEntryText = 0xFFFF;
// The scenario file with every text as long as a record allows.
inline constexpr std::size_t kMaxScenarioFileBytes = kScenarioEntries * (kEntryFixedBytes + kMaxEntryText);
// Within a record, the fields that follow the text sit this far past its end.
inline constexpr std::size_t kWord1OffsetAfterText = 16;
inline constexpr std::size_t kSecondsOffsetAfterText = 30;

// Empty when every text fits its length field; else which entry does not.
std::string scenario_text_problem(const ScenarioTable& table);

// Texts longer than kMaxEntryText are cut to that length, so the record
// stays readable; a writer checks scenario_text_problem first.
void append_scenario_entry(std::string& out, const ScenarioEntry& entry);
std::string encode_scenario_file(const ScenarioTable& table);

// Refuses bytes that end inside a record or go on after entry 86.
Decoded<ScenarioTable> decode_scenario_file(std::string_view bytes);

}  // namespace compiler
