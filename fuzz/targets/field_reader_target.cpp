#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/targets/fuzz_targets.h"
#include "reading/field_reader.h"

namespace fuzz {
namespace {

void check(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "broken invariant: %s\n", what);
    std::abort();
  }
}

constexpr std::string_view kSpace = " \t\r\n";
constexpr std::string_view kDelimiters = ",\r\n";

// A second reading of the same bytes, written plainly from the field rules
// with the string searches of the standard library, to hold the reader to
// the rules rather than to itself. A read gives its value or nothing (a
// reading failure).
struct PlainReading {
  std::string_view text;
  std::size_t pos = 0;
  std::size_t field_start = 0;

  bool at_end() const { return text.find_first_not_of(kSpace, pos) == std::string_view::npos; }

  // Skips blanks and line ends; false when nothing is left.
  bool start_field() {
    const std::size_t at = text.find_first_not_of(kSpace, pos);
    if (at == std::string_view::npos) return false;
    pos = field_start = at;
    return true;
  }

  void to_delimiter() { pos = std::min(text.find_first_of(kDelimiters, pos), text.size()); }

  // One comma, or else one line end (CR LF, CR or LF).
  void take_delimiter() {
    if (text.substr(pos, 1) == ",") {
      pos += 1;
    } else if (text.substr(pos, 2) == "\r\n") {
      pos += 2;
    } else if (text.substr(pos, 1) == "\r" || text.substr(pos, 1) == "\n") {
      pos += 1;
    }
  }

  std::optional<std::string> text_field() {
    if (!start_field()) return std::nullopt;
    std::string field;
    if (text[pos] == '"') {
      const std::size_t close = std::min(text.find('"', pos + 1), text.size());
      field = std::string(text.substr(pos + 1, close - pos - 1));
      pos = std::min(close + 1, text.size());
      to_delimiter();
    } else {
      const std::size_t begin = pos;
      to_delimiter();
      field = std::string(text.substr(begin, pos - begin));
    }
    take_delimiter();
    return field;
  }

  std::optional<std::int64_t> number(std::int64_t min, std::int64_t max) {
    if (!start_field()) return std::nullopt;
    std::int64_t value = 0;
    if (text[pos] != ',') {
      const bool negative = text[pos] == '-';
      if (text[pos] == '-' || text[pos] == '+') ++pos;
      const std::size_t end = std::min(text.find_first_not_of("0123456789", pos), text.size());
      std::string_view digits = text.substr(pos, end - pos);
      if (digits.empty()) return std::nullopt;
      if (end < text.size() && text.substr(end, 1).find_first_of(" \t,\r\n") == std::string_view::npos) {
        return std::nullopt;
      }
      digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
      if (digits.size() > 12) return std::nullopt;  // beyond every field's range
      if (!digits.empty()) std::from_chars(digits.data(), digits.data() + digits.size(), value);
      if (negative) value = -value;
      if (value < min || value > max) return std::nullopt;
      pos = end;
    }
    pos = std::min(text.find_first_not_of(" \t", pos), text.size());
    take_delimiter();
    return value;
  }
};

struct Width {
  std::int64_t min;
  std::int64_t max;
};
constexpr Width kWidths[] = {{INT32_MIN, INT32_MAX}, {INT16_MIN, INT16_MAX}, {0, UINT8_MAX}};

}  // namespace

int field_reader(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  compiler::FieldReader reader(text);
  PlainReading plain{text};
  const std::uint8_t choices = data[0];
  // Reads alternate between the widths the parsers use, chosen by byte 0.
  for (int step = 0;; ++step) {
    check(reader.at_end() == plain.at_end(), "both readings see the same end of file");
    if (reader.at_end()) return 0;
    const std::size_t before = reader.offset();
    const int choice = (choices >> ((step % 4) * 2)) & 3;
    bool failed = false;
    if (choice == 0) {
      const std::optional<std::string> expected = plain.text_field();
      try {
        const std::string field = reader.read_text();
        check(expected && field == *expected, "a text field reads as the plain reading has it");
      } catch (const compiler::ReadingFailure&) {
        failed = true;
        check(!expected, "a text field fails only where the plain reading fails");
      }
    } else {
      const Width width = kWidths[choice - 1];
      const std::optional<std::int64_t> expected = plain.number(width.min, width.max);
      try {
        std::int64_t value = 0;
        if (choice == 1) value = reader.read_int32();
        if (choice == 2) value = reader.read_int16();
        if (choice == 3) value = reader.read_byte();
        check(expected && value == *expected, "a number reads as the plain reading has it");
      } catch (const compiler::ReadingFailure&) {
        failed = true;
        check(!expected, "a number fails only where the plain reading fails");
      }
    }
    // The parsers stop at the first reading failure; so does this.
    if (failed) return 0;
    check(reader.offset() == plain.pos, "both readings stop at the same byte");
    check(reader.field_start() == plain.field_start, "both readings start the field at the same byte");
    check(reader.offset() > before && reader.offset() <= text.size(), "the reader moves forward");
  }
}

}  // namespace fuzz
