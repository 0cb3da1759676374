#include "reading/text.h"

#include <algorithm>
#include <array>

namespace compiler {

namespace {

// The lower-case form of every byte: ASCII letters, the accented capitals
// 0xC0 .. 0xDE but the multiplication sign, and the four capitals Windows-1252
// keeps elsewhere (S, OE and Z with caron, Y with diaeresis). A table, as the
// keyword tests fold every byte of every keyword field.
constexpr std::array<unsigned char, 256> make_lower_table() {
  std::array<unsigned char, 256> table{};
  for (int code = 0; code < 256; ++code) {
    int lower = code;
    if (code >= 'A' && code <= 'Z') lower = code + 32;
    if (code >= 0xC0 && code <= 0xDE && code != 0xD7) lower = code + 32;
    if (code == 0x8A || code == 0x8C || code == 0x8E) lower = code + 16;
    if (code == 0x9F) lower = 0xFF;
    table[static_cast<std::size_t>(code)] = static_cast<unsigned char>(lower);
  }
  return table;
}

constexpr std::array<unsigned char, 256> kLower = make_lower_table();

}  // namespace

char lower_1252(char byte) { return static_cast<char>(kLower[static_cast<unsigned char>(byte)]); }

std::string to_lower_1252(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), lower_1252);
  return lower;
}

bool contains_ignoring_case(std::string_view field, std::string_view lower_case_word) {
  if (lower_case_word.empty()) return true;
  if (lower_case_word.size() > field.size()) return false;
  const char* const bytes = field.data();
  const char* const word = lower_case_word.data();
  const std::size_t length = lower_case_word.size();
  const std::size_t last_start = field.size() - length;
  for (std::size_t start = 0; start <= last_start; ++start) {
    if (lower_1252(bytes[start]) != word[0]) continue;
    std::size_t i = 1;
    while (i < length && lower_1252(bytes[start + i]) == word[i]) ++i;
    if (i == length) return true;
  }
  return false;
}

namespace {

constexpr std::array<unsigned char, 256> make_kind_table() {
  std::array<unsigned char, 256> table{};
  table[' '] = table['\t'] = kBlankBytes;
  table['\r'] = table['\n'] = kLineEndBytes;
  table[','] = kCommaBytes;
  return table;
}

constexpr std::array<unsigned char, 256> kKinds = make_kind_table();

unsigned kind_of(char byte) { return kKinds[static_cast<unsigned char>(byte)]; }

}  // namespace

std::size_t scan_over(std::string_view text, std::size_t from, unsigned kinds) {
  std::size_t at = std::min(from, text.size());
  while (at < text.size() && (kind_of(text[at]) & kinds) != 0) ++at;
  return at;
}

std::size_t scan_to(std::string_view text, std::size_t from, unsigned kinds) {
  std::size_t at = std::min(from, text.size());
  while (at < text.size() && (kind_of(text[at]) & kinds) == 0) ++at;
  return at;
}

}  // namespace compiler
