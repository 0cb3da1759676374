#pragma once
// Reads a description file one field at a time, the way both parser halves
// take their records: text fields up to a comma or line end, numeric fields
// up to a blank, comma or line end.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace compiler {

// A field that cannot be read: nothing left to read, text where a number
// belongs, or a number too large for its field. The parser turns it into
// error kind 25.
class ReadingFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}

  // True when nothing but blanks and line ends remains.
  bool at_end() const;

  // A text field: leading blanks and line ends skipped, then everything up to
  // the next comma or line end, which is consumed with it; trailing blanks
  // stay. A field that starts with a double quote runs to the closing quote
  // (quotes dropped), and the rest up to the next comma or line end is dropped.
  std::string read_text();

  // Numeric fields of the three widths the files use. Each skips leading
  // blanks and line ends, takes an optional sign and decimal digits, and ends
  // at a blank, comma or line end; then blanks are skipped and one comma or
  // one line end is consumed. A field of only blanks before a comma reads 0.
  std::int32_t read_int32() { return static_cast<std::int32_t>(read_number(INT32_MIN, INT32_MAX)); }
  std::int16_t read_int16() { return static_cast<std::int16_t>(read_number(INT16_MIN, INT16_MAX)); }
  std::uint8_t read_byte() { return static_cast<std::uint8_t>(read_number(0, UINT8_MAX)); }
  std::int64_t read_number(std::int64_t min, std::int64_t max);

  // Byte offset where the last field read started (after skipped blanks).
  std::size_t field_start() const { return field_start_; }
  std::size_t offset() const { return pos_; }

 private:
  bool more() const { return pos_ < text_.size(); }
  char peek() const { return text_[pos_]; }
  void skip_blanks();
  void skip_blanks_and_line_ends();
  // Consumes one line end (CR LF, LF or CR) if one is next.
  bool consume_line_end();
  void require_more();
  void skip_to_delimiter();
  // Consumes one comma, or else one line end, if it is next.
  void consume_delimiter();

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t field_start_ = 0;
};

// True for the blank characters that separate fields: space and tab.
constexpr bool is_blank(char c) { return c == ' ' || c == '\t'; }
constexpr bool is_line_end(char c) { return c == '\r' || c == '\n'; }

}  // namespace compiler
