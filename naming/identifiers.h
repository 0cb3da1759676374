#pragma once
// The scenario and train identifiers: whether one can name files, and its
// Windows-1252 bytes (which the compiled files hold) to and from UTF-8.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace naming {

// The Windows-1252 bytes of a UTF-8 text, or nothing when the text is not
// valid UTF-8 or holds a character that Windows-1252 cannot represent.
std::optional<std::string> utf8_to_1252(std::string_view utf8);

// One well-formed UTF-8 character at text[i]: its code point and its
// length in bytes. Nothing when none starts there (a stray byte, a cut or
// overlong sequence, a surrogate, a code point above U+10FFFF).
struct Utf8Char {
  std::uint32_t code_point = 0;
  std::size_t length = 0;
};
std::optional<Utf8Char> utf8_char_at(std::string_view text, std::size_t i);

// The Windows-1252 byte of a code point, or nothing when the code page has
// none.
std::optional<char> windows1252_byte(std::uint32_t code_point);

// The UTF-8 form of Windows-1252 bytes, for display. The five bytes the
// code page leaves undefined map to the control characters of the same value.
std::string windows1252_to_utf8(std::string_view bytes);

// Why an identifier cannot name files, or empty when it can. An identifier
// may not lead out of the output folder: no "/", "\", NUL or other control
// character, and not "." or "..".
std::string identifier_problem(std::string_view identifier);

}  // namespace naming
