#pragma once
// Reads a description file one field at a time, the way both parser halves
// take their records: text fields up to a comma or line end, numeric fields
// up to a blank, comma or line end.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace compiler {

// A field that cannot be read: nothing left to read, text where a number
// belongs, or a number too large for its field. The parser turns it into
// kReadingFailure, telling the author which field and what it held.
class ReadingFailure : public std::runtime_error {
 public:
  enum class Problem {
    kOther,       // what() says it for the author
    kMissing,     // the file ends before the field
    kNotANumber,  // field_text() is not a whole number
    kAbove,       // field_text() is above limit()
    kBelow,       // field_text() is below limit()
  };
  explicit ReadingFailure(const std::string& what) : std::runtime_error(what) {}
  // A failure the parser finds in a field it has read: field is the field's
  // index in its record.
  ReadingFailure(const std::string& what, std::size_t field) : std::runtime_error(what), field_(field) {}
  // A failure that shows only later (a value laid down at a later record),
  // blamed on the byte offset where the value was read.
  static ReadingFailure at_offset(const std::string& what, std::size_t offset) {
    ReadingFailure failure(what);
    failure.offset_ = offset;
    return failure;
  }
  ReadingFailure(Problem problem, std::string field_text, std::int64_t limit)
      : std::runtime_error("a field cannot be read"),
        problem_(problem),
        field_text_(std::move(field_text)),
        limit_(limit) {}

  Problem problem() const { return problem_; }
  const std::string& field_text() const { return field_text_; }
  std::int64_t limit() const { return limit_; }
  const std::optional<std::size_t>& field() const { return field_; }
  const std::optional<std::size_t>& offset() const { return offset_; }

 private:
  Problem problem_ = Problem::kOther;
  std::string field_text_;
  std::int64_t limit_ = 0;
  std::optional<std::size_t> field_;
  std::optional<std::size_t> offset_;
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

  // Goes on after a field that could not be read: at the start of the line
  // after the one holding offset, unless the reader has already passed it.
  void resume_after_line_of(std::size_t offset);

  // Byte offset where the last field read started (after skipped blanks).
  std::size_t field_start() const { return field_start_; }
  std::size_t offset() const { return pos_; }

  // A quoted text field that ran over a line end: where its quote opened and
  // where it closed (the text's end when it never did). Taken once: the
  // record reader warns about it after the record.
  struct SpanningQuote {
    std::size_t open = 0;
    std::size_t close = 0;
  };
  std::optional<SpanningQuote> take_spanning_quote() {
    std::optional<SpanningQuote> quote = spanning_quote_;
    spanning_quote_.reset();
    return quote;
  }

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
  std::optional<SpanningQuote> spanning_quote_;
};

// True for the blank characters that separate fields: space and tab.
constexpr bool is_blank(char c) { return c == ' ' || c == '\t'; }
constexpr bool is_line_end(char c) { return c == '\r' || c == '\n'; }

}  // namespace compiler
