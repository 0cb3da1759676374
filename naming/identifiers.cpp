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

std::optional<char> byte_of(std::uint32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) return static_cast<char>(code_point);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == code_point) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> utf8_to_1252(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) return std::nullopt;
    std::uint32_t code_point = length == 1 ? lead : lead & (0x7Fu >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code_point = (code_point << 6) | (next & 0x3F);
    }
    const std::uint32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code_point < shortest[length]) return std::nullopt;  // overlong form
    const auto byte = byte_of(code_point);
    if (!byte) return std::nullopt;
    out += *byte;
    i += static_cast<std::size_t>(length);
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
