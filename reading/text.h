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

// The kinds of byte the readers scan over or up to, as bits to combine.
enum ByteKind : unsigned {
  kBlankBytes = 1,    // space and tab
  kLineEndBytes = 2,  // CR and LF
  kCommaBytes = 4,
};

// The first offset at or after from whose byte is of none of kinds (scan
// over), or of one of them (scan to); text.size() when there is none. From
// may lie past the end. These loops are the readers' innermost: a table
// lookup a byte, out of line so that the fuzz builds can leave them without
// comparison tracing.
std::size_t scan_over(std::string_view text, std::size_t from, unsigned kinds);
std::size_t scan_to(std::string_view text, std::size_t from, unsigned kinds);

}  // namespace compiler
