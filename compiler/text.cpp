#include "compiler/text.h"

#include <algorithm>

namespace compiler {

char lower_1252(char byte) {
  const auto code = static_cast<unsigned char>(byte);
  if (code >= 'A' && code <= 'Z') return static_cast<char>(code + 32);
  if (code >= 0xC0 && code <= 0xDE && code != 0xD7) return static_cast<char>(code + 32);
  if (code == 0x8A || code == 0x8C || code == 0x8E) return static_cast<char>(code + 16);
  if (code == 0x9F) return static_cast<char>(0xFF);
  return byte;
}

std::string to_lower_1252(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), lower_1252);
  return lower;
}

bool contains_ignoring_case(std::string_view field, std::string_view lower_case_word) {
  if (lower_case_word.size() > field.size()) return false;
  const std::size_t last_start = field.size() - lower_case_word.size();
  for (std::size_t start = 0; start <= last_start; ++start) {
    std::size_t i = 0;
    while (i < lower_case_word.size() && lower_1252(field[start + i]) == lower_case_word[i]) ++i;
    if (i == lower_case_word.size()) return true;
  }
  return false;
}

}  // namespace compiler
