#pragma once
// Byte-string helpers for Windows-1252 texts: case folding and the substring
// tests the parsers make on keyword fields.

#include <string>
#include <string_view>

namespace compiler {

// The lower-case form of one Windows-1252 byte.
char lower_1252(char byte);
std::string to_lower_1252(std::string_view text);

// Substring tests on a keyword field: exact, or ignoring letter case.
inline bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}
bool contains_ignoring_case(std::string_view field, std::string_view lower_case_word);

}  // namespace compiler
