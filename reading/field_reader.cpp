#include "reading/field_reader.h"

#include <algorithm>

#include "reading/text.h"

namespace compiler {

bool FieldReader::at_end() const { return scan_over(text_, pos_, kBlankBytes | kLineEndBytes) == text_.size(); }

void FieldReader::skip_blanks() { pos_ = scan_over(text_, pos_, kBlankBytes); }

void FieldReader::skip_blanks_and_line_ends() { pos_ = scan_over(text_, pos_, kBlankBytes | kLineEndBytes); }

bool FieldReader::consume_line_end() {
  if (!more()) return false;
  if (peek() == '\r') {
    ++pos_;
    if (more() && peek() == '\n') ++pos_;
    return true;
  }
  if (peek() == '\n') {
    ++pos_;
    return true;
  }
  return false;
}

void FieldReader::require_more() {
  skip_blanks_and_line_ends();
  if (!more()) throw ReadingFailure(ReadingFailure::Problem::kMissing, {}, 0);
  field_start_ = pos_;
}

std::string FieldReader::read_text() {
  require_more();
  std::string field;
  if (peek() == '"') {
    const std::size_t begin = pos_ + 1;
    std::size_t close = text_.find('"', begin);
    if (close == std::string_view::npos) close = text_.size();  // an unclosed quote runs to the end
    field.assign(text_.substr(begin, close - begin));
    if (!spanning_quote_ && field.find_first_of("\r\n") != std::string::npos) {
      spanning_quote_ = SpanningQuote{pos_, close};
    }
    pos_ = std::min(close + 1, text_.size());
    skip_to_delimiter();
  } else {
    const std::size_t begin = pos_;
    skip_to_delimiter();
    field.assign(text_.substr(begin, pos_ - begin));
  }
  consume_delimiter();
  return field;
}

void FieldReader::resume_after_line_of(std::size_t offset) {
  std::size_t next = scan_to(text_, offset, kLineEndBytes);
  if (next < text_.size() && text_[next] == '\r') ++next;
  if (next < text_.size() && text_[next] == '\n') ++next;
  pos_ = std::max(pos_, next);
}

void FieldReader::skip_to_delimiter() { pos_ = scan_to(text_, pos_, kCommaBytes | kLineEndBytes); }

void FieldReader::consume_delimiter() {
  if (more() && peek() == ',') {
    ++pos_;
  } else {
    consume_line_end();
  }
}

std::int64_t FieldReader::read_number(std::int64_t min, std::int64_t max) {
  require_more();
  std::int64_t value = 0;
  if (peek() != ',') {
    const std::size_t begin = pos_;
    // The field as the author wrote it, for the report of a failure.
    const auto field_text = [&] {
      const std::size_t end = scan_to(text_, begin, kCommaBytes | kBlankBytes | kLineEndBytes);
      return std::string(text_.substr(begin, end - begin));
    };
    bool negative = false;
    if (peek() == '+' || peek() == '-') {
      negative = peek() == '-';
      ++pos_;
    }
    const std::size_t digits_start = pos_;
    bool too_large = false;
    while (more() && peek() >= '0' && peek() <= '9') {
      if (value > (std::int64_t{1} << 40)) too_large = true;
      if (!too_large) value = value * 10 + (peek() - '0');
      ++pos_;
    }
    if (pos_ == digits_start || (more() && peek() != ',' && !is_blank(peek()) && !is_line_end(peek()))) {
      throw ReadingFailure(ReadingFailure::Problem::kNotANumber, field_text(), 0);
    }
    if (too_large && negative) throw ReadingFailure(ReadingFailure::Problem::kBelow, field_text(), min);
    if (negative) value = -value;
    if (too_large || value > max) throw ReadingFailure(ReadingFailure::Problem::kAbove, field_text(), max);
    if (value < min) throw ReadingFailure(ReadingFailure::Problem::kBelow, field_text(), min);
  }
  skip_blanks();
  consume_delimiter();
  return value;
}

}  // namespace compiler
