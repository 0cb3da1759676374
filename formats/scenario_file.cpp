#include "formats/scenario_file.h"

#include <algorithm>

namespace compiler {

std::string scenario_text_problem(const ScenarioTable& table) {
  for (std::size_t index = 0; index < table.size(); ++index) {
    const std::size_t length = table[index].text.size();
    if (length > kMaxEntryText) {
      return "the text of scenario entry " + std::to_string(index) + " is " + std::to_string(length) +
             " bytes long, more than the " + std::to_string(kMaxEntryText) + " a record can hold";
    }
  }
  return {};
}

void append_scenario_entry(std::string& out, const ScenarioEntry& entry) {
  const std::size_t length = std::min(entry.text.size(), kMaxEntryText);
  put_u8(out, entry.code);
  put_i32(out, entry.value1);
  put_i32(out, entry.value2);
  put_i32(out, entry.value3);
  put_u8(out, entry.flag);
  put_u16(out, static_cast<std::uint16_t>(length));
  out.append(entry.text, 0, length);
  put_i16(out, entry.word1);
  put_i16(out, entry.word2);
  put_i16(out, entry.word3);
  put_i16(out, entry.word4);
  put_i16(out, entry.word5);
  put_u8(out, entry.byte1);
  put_u8(out, entry.byte2);
  put_u8(out, entry.byte3);
  put_u8(out, entry.byte4);
  put_i32(out, entry.seconds);
}

std::string encode_scenario_file(const ScenarioTable& table) {
  std::size_t size = 0;
  for (const ScenarioEntry& entry : table) size += kEntryFixedBytes + std::min(entry.text.size(), kMaxEntryText);
  std::string out;
  out.reserve(size);
  for (const ScenarioEntry& entry : table) append_scenario_entry(out, entry);
  return out;
}

Decoded<ScenarioTable> decode_scenario_file(std::string_view bytes) {
  Decoded<ScenarioTable> result;
  ByteReader reader(bytes);
  for (std::size_t index = 0; index < result.value.size(); ++index) {
    const std::size_t start = reader.position();
    ScenarioEntry& entry = result.value[index];
    entry.code = reader.u8();
    entry.value1 = reader.i32();
    entry.value2 = reader.i32();
    entry.value3 = reader.i32();
    entry.flag = reader.u8();
    const std::uint16_t length = reader.u16();
    entry.text = std::string(reader.bytes(length));
    entry.word1 = reader.i16();
    entry.word2 = reader.i16();
    entry.word3 = reader.i16();
    entry.word4 = reader.i16();
    entry.word5 = reader.i16();
    entry.byte1 = reader.u8();
    entry.byte2 = reader.u8();
    entry.byte3 = reader.u8();
    entry.byte4 = reader.u8();
    entry.seconds = reader.i32();
    if (reader.failed()) {
      result.error = "scenario file ends inside entry " + std::to_string(index) + " (record starts at byte " +
                     std::to_string(start) + ", file is " + std::to_string(bytes.size()) + " bytes)";
      return result;
    }
  }
  if (!reader.at_end()) {
    result.error = "scenario file has " + std::to_string(reader.remaining()) + " bytes after entry " +
                   std::to_string(kScenarioEntries - 1);
  }
  return result;
}

}  // namespace compiler
