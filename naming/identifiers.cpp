#include "naming/identifiers.h"

#include <array>
#include <cstdint>

namespace naming {
namespace {

// Unicode code points of the Windows-1252 bytes 0x80 to 0x9F; 0 where the
// code page leaves the byte undefined.
constexpr std::array<std::uint32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::optional<char> windows1252_byte(std::uint32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) return static_cast<char>(code_point);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == code_point) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

std::optional<Utf8Char> utf8_char_at(std::string_view text, std::size_t i) {
  if (i >= text.size()) return std::nullopt;
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return Utf8Char{lead, 1};
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return std::nullopt;
  }
  if (i + length > text.size()) return std::nullopt;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0u) != 0x80u) return std::nullopt;
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
  return Utf8Char{code, length};
}

std::optional<std::string> utf8_to_1252(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::optional<Utf8Char> character = utf8_char_at(utf8, i);
    if (!character) return std::nullopt;
    const std::optional<char> byte = windows1252_byte(character->code_point);
    if (!byte) return std::nullopt;
    out += *byte;
    i += character->length;
  }
  return out;
}

std::string windows1252_to_utf8(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    std::uint32_t code_point = byte;
    if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0) code_point = kHighControls[byte - 0x80];
    if (code_point < 0x80) {
      out += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
      out += static_cast<char>(0xC0 | (code_point >> 6));
      out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code_point >> 12));
      out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code_point & 0x3F));
    }
  }
  return out;
}

std::string identifier_problem(std::string_view identifier) {
  if (identifier == "." || identifier == "..") return "it may not be \".\" or \"..\"";
  for (char c : identifier) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\') return "it may not hold \"/\" or \"\\\"";
    if (code < 0x20 || code == 0x7F) return "it may not hold control characters";
  }
  return {};
}

}  // namespace naming
