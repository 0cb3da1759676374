#include "reading/record_reading.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "model/rounding.h"
#include "reading/error_kinds.h"
#include "reading/text.h"

namespace compiler {
namespace {

// True when the field at offset is the first thing on its line.
bool starts_line(std::string_view text, std::size_t offset) {
  while (offset > 0 && is_blank(text[offset - 1])) --offset;
  return offset == 0 || is_line_end(text[offset - 1]);
}

bool is_section_header(std::string_view field) { return contains(field, "[") && contains(field, "]"); }

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Length of a well-formed UTF-8 sequence of a character beyond ASCII at
// text[i], or 0.
std::size_t utf8_sequence(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  else return 0;
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

void ReadingContext::hold(std::int64_t cell, const DescriptionFile& file) {
  if (cell < 0 || static_cast<std::size_t>(cell) >= holders_.size()) return;
  holders_[static_cast<std::size_t>(cell)] = {&file, file.record_start()};
}

const CellHolder* ReadingContext::holder(std::int64_t cell) const {
  if (cell < 0 || static_cast<std::size_t>(cell) >= holders_.size()) return nullptr;
  const CellHolder& holder = holders_[static_cast<std::size_t>(cell)];
  return holder.file ? &holder : nullptr;
}

Flow ReadingContext::fail(DescriptionFile& file, ErrorKind kind, std::optional<std::int32_t> position,
                          std::size_t field, std::string message, Flow stop, std::optional<Diagnostic> note) {
  Diagnostic diagnostic = file.diagnostic_at(file.field_offset(field), Severity::kError, kind, std::move(message));
  diagnostic.position = position;
  if (note) diagnostic.notes.push_back(std::move(*note));
  const int faulty_line = diagnostic.line;
  file.mark_failed();
  sink.report(std::move(diagnostic));
  if (sink.goes_on_after_errors()) return Flow::kNext;
  if (records_remain(file)) sink.reading_stopped(file.name(), faulty_line);
  if (stop == Flow::kEndCall) file.close_and_delete();
  return stop;
}

std::optional<Flow> ReadingContext::refuse_position(DescriptionFile& file, const CompiledModel& model,
                                                    std::int64_t position, std::int64_t margin) {
  // The field's name is looked up only for a message: most records pass.
  if (beyond_route(model, position, margin)) {
    return fail(file, ErrorKind::kBeyondRoute, static_cast<std::int32_t>(position), 0,
                file.field_name(0) + " " + std::to_string(position) + " lies beyond the end of the route (" +
                    std::to_string(kCellLength * model.last_cell - margin) + " m at most)",
                Flow::kLeaveLoop);
  }
  const std::int32_t length = model.scenario_table[kTrainHeaderEntry].value2;
  if (position > length) {
    sink.report(file.warning_at(file.field_offset(0), WarningRule::kBeyondLineLength,
                                file.field_name(0) + " " + std::to_string(position) +
                                    " lies beyond the line's length of " +
                                    std::to_string(length) + " m (inside the route, which runs 7000 m further)"));
  }
  return std::nullopt;
}

std::optional<Diagnostic> ReadingContext::holder_note(std::int64_t cell) const {
  const CellHolder* taken = holder(cell);
  if (!taken) return std::nullopt;
  return taken->file->diagnostic_at(taken->offset, Severity::kNote, ErrorKind::kNone,
                                    "cell " + std::to_string(cell) + " is taken by this record");
}

void KeywordWatch::look_at_section(DescriptionFile& file, std::string_view header, DiagnosticSink& sink) {
  // The section search has taken the first [generale] before any record:
  // one met here is a second.
  if (header == "[generale]") {
    sink.report(file.warning_at(file.record_start(), WarningRule::kDuplicateSection,
                                "a second [generale] section: the compile reads its records where they stand, "
                                "as if the two were one; keep the section once"));
    return;
  }
  for (const auto& [seen, offset] : sections_) {
    if (seen != header) continue;
    Diagnostic diagnostic = file.warning_at(file.record_start(), WarningRule::kDuplicateSection,
                                            "a second " + std::string(header) +
                                                " section: the compile reads its records where they stand, as if "
                                                "the two were one; keep the section once");
    diagnostic.notes.push_back(
        file.diagnostic_at(offset, Severity::kNote, ErrorKind::kNone, "the first " + std::string(header) + " section"));
    sink.report(std::move(diagnostic));
    return;
  }
  sections_.emplace_back(header, file.record_start());
}

void warn_extra_fields(const DescriptionFile& file, DiagnosticSink& sink) {
  const RecordSpec* spec = file.record_spec();
  if (!spec) return;
  const std::string_view text = file.source().bytes;
  const std::size_t at = std::min(file.reader().offset(), text.size());
  // Most records end with their line: the reader stands at the next one.
  if (at == 0 || is_line_end(text[at - 1])) return;
  std::size_t end = at;
  while (end < text.size() && !is_line_end(text[end])) ++end;
  const std::size_t left = text.find_first_not_of(" \t,", at);
  if (left == std::string_view::npos || left >= end) return;
  const std::string left_over(text.substr(left, end - left));
  const std::string tail = "the rest of the line ('" + quoted_field(left_over) +
                           "') is read as the start of another record, not as part of this one";
  // A number with a blank inside reads as two fields: blame that field.
  // What is left over counts as the field after the last one read.
  const std::size_t first = file.spec_first_field();
  for (std::size_t i = first; i < file.fields_read(); ++i) {
    const std::size_t from = file.field_offset(i);
    const std::size_t to = i + 1 < file.fields_read() ? file.field_offset(i + 1) : left;
    if (to <= from || to > text.size()) continue;
    if (text.substr(from, to - from).find_first_of(",\r\n") != std::string_view::npos) continue;
    std::size_t next_end = to;
    while (next_end < end && !is_blank(text[next_end]) && text[next_end] != ',') ++next_end;
    const std::string split(text.substr(from, next_end - from));
    sink.report(file.warning_at(from, WarningRule::kExtraField,
                                "'" + quoted_field(split) + "' holds a blank, which ends a number: the compile reads " +
                                    "it as two fields, so the " + std::to_string(spec->fields.size()) +
                                    " fields of the record end early and " + tail));
    return;
  }
  sink.report(file.warning_at(left, WarningRule::kExtraField,
                              "a field more than the record's " + std::to_string(spec->fields.size()) + ": " + tail));
}

std::optional<std::string> read_keyword(DescriptionFile& file, int max_discards, bool end_test) {
  FieldReader& reader = file.reader();
  if (reader.at_end()) return std::nullopt;
  std::string field = reader.read_text();
  file.mark_record();
  if (reader.at_end()) return std::nullopt;
  for (int discarded = 0; discarded < max_discards && contains(field, "-"); ++discarded) {
    field = reader.read_text();
    file.mark_record();
    if (end_test && reader.at_end()) return std::nullopt;
  }
  return field;
}

namespace {

// The comment marker a field starts with, as authors used to other formats
// write one; empty when it starts with none.
std::string_view comment_marker(std::string_view field) {
  if (field.starts_with("//")) return "//";
  if (field.starts_with(";")) return ";";
  if (field.starts_with("#")) return "#";
  return {};
}

// A record kind whose keyword is recognised only in its own letter case and
// that field would match in another case.
const RecordSpec* cased_record_in_other_case(Description description, std::string_view field) {
  const KeywordField lower(field);
  for (const RecordSpec& spec : record_specs()) {
    if (!spec.cased || description_of(spec.group) != description) continue;
    RecordSpec uncased = spec;
    uncased.cased = false;
    if (keyword_matches(uncased, lower)) return &spec;
  }
  return nullptr;
}

}  // namespace

void KeywordWatch::look(DescriptionFile& file, std::string_view keyword, bool matched, DiagnosticSink& sink) {
  const std::string_view text = file.source().bytes;
  // A line that looks like a comment but names a record is compiled.
  if (matched && !comment_marker(trimmed(keyword)).empty() && starts_line(text, file.record_start())) {
    sink.report(file.warning_at(
        file.record_start(), WarningRule::kCommentLike,
        "this line starts with '" + std::string(comment_marker(trimmed(keyword))) +
            "' as a comment would, but description files have no comments: the compile reads it as a '" +
            std::string(file.record_spec() ? file.record_spec()->keyword : trimmed(keyword)) + "' record"));
  }
  // Most fields are records in their place: they cost no more than this.
  if (matched && !after_end_) return;
  if (!starts_line(text, file.record_start())) return;
  const std::string_view field = trimmed(keyword);
  if (field.empty()) return;
  const std::string lower = to_lower_1252(field);
  for (const std::string_view header : section_headers(description_)) {
    if (lower != header) continue;
    if (header == "[fine]") {
      after_end_ = true;
    } else {
      look_at_section(file, header, sink);
    }
    return;
  }
  if (after_end_ && !warned_after_end_) {
    warned_after_end_ = true;
    sink.report(file.warning_at(file.record_start(), WarningRule::kAfterEndMarker,
                                "a record after the end marker [fine]: the file should end there"));
  }
  if (matched) return;
  // A number or a hyphen line is no misspelt keyword.
  if (field.find_first_not_of("0123456789+-., ") == std::string_view::npos) return;
  const bool header = is_section_header(field);
  if (!header) {
    if (const RecordSpec* spec = cased_record_in_other_case(description_, field)) {
      sink.report(file.warning_at(file.record_start(), WarningRule::kLetterCase,
                                  "'" + quoted_field(field) + "' is the keyword '" + std::string(spec->keyword) +
                                      "' in other letters: this record is recognised only in small letters, so "
                                      "the compile passes over it"));
      return;
    }
  }
  const std::optional<std::string>& nearest = nearest_word(lower);
  if (nearest && *nearest == lower) {
    sink.report(file.warning_at(file.record_start(), WarningRule::kWrongSection,
                                "'" + quoted_field(field) +
                                    "' stands in the wrong part of the file: the compile passes over it here"));
    return;
  }
  std::string message = std::string(header ? "unknown section header '" : "unknown keyword '") + quoted_field(field) +
                        "': the " + std::string(description_name(description_)) + " description has no such " +
                        (header ? "section" : "record") + " and the compile passes over it";
  if (nearest) message += "; did you mean '" + *nearest + "'?";
  sink.report(file.warning_at(file.record_start(),
                              header ? WarningRule::kUnknownSection : WarningRule::kUnknownKeyword,
                              std::move(message)));
}

const std::optional<std::string>& KeywordWatch::nearest_word(const std::string& lower) {
  // A file often repeats the same unknown word on many lines (a block of
  // records put in the wrong description): each is compared with the known
  // words once. The memory stays bounded whatever the file holds.
  constexpr std::size_t kRemembered = 256;
  const auto known = nearest_.find(lower);
  if (known != nearest_.end()) return known->second;
  if (nearest_.size() >= kRemembered) nearest_.clear();
  return nearest_.emplace(lower, nearest_known_word(description_, lower)).first->second;
}

bool records_remain(const DescriptionFile& file) {
  const std::string_view text = file.source().bytes;
  // The rest of the current record's line is no record of its own.
  std::size_t at = std::max(file.reader().offset(), file.line_end(file.record_start()));
  while (at < text.size()) {
    const std::size_t end = scan_to(text, at, kLineEndBytes);
    const std::string_view line = trimmed(text.substr(at, end - at));
    if (!line.empty() && !(line.front() == '[' && line.find(']') != std::string_view::npos)) return true;
    at = end + 1;
  }
  return false;
}

namespace {

// The first byte at or after from that is not ASCII, or text.size(). Eight
// bytes are tested at a time: most description files are ASCII throughout.
std::size_t next_non_ascii(std::string_view text, std::size_t from) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  const char* const bytes = text.data();
  std::size_t at = from;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + at, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  for (; at < text.size(); ++at) {
    if (static_cast<unsigned char>(bytes[at]) >= 0x80) return at;
  }
  return text.size();
}

}  // namespace

void warn_utf8_lines(const DescriptionFile& file, DiagnosticSink& sink) {
  const std::string_view text = file.source().bytes;
  // A byte-order mark is told as such, and its bytes are no letters.
  constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";
  std::size_t from = 0;
  if (text.starts_with(kByteOrderMark)) {
    sink.report(file.warning_at(0, WarningRule::kByteOrderMark,
                                "the file starts with a UTF-8 byte-order mark, but description files are "
                                "Windows-1252"));
    from = kByteOrderMark.size();
  }
  // Only the lines that hold a byte beyond ASCII are looked at, from that byte
  // to their end: the bytes before it are ASCII, valid UTF-8 as they are.
  for (std::size_t first = next_non_ascii(text, from); first < text.size();) {
    const std::size_t line_end = scan_to(text, first, kLineEndBytes);
    bool valid = true;
    for (std::size_t i = first; i < line_end && valid;) {
      if (static_cast<unsigned char>(text[i]) < 0x80) {
        ++i;
        continue;
      }
      const std::size_t length = utf8_sequence(text.substr(0, line_end), i);
      if (length == 0) valid = false;
      i += length == 0 ? 1 : length;
    }
    if (valid) {
      sink.report(file.warning_at(first, WarningRule::kUtf8Text,
                                  "this line holds UTF-8 text, but description files are Windows-1252: "
                                  "its letters beyond ASCII will show garbled"));
    }
    first = next_non_ascii(text, line_end);
  }
}

void warn_field_values(const DescriptionFile& file, DiagnosticSink& sink) {
  const RecordSpec* spec = file.record_spec();
  if (!spec) return;
  const std::size_t first = file.spec_first_field();
  for (std::size_t i = 0; i < spec->fields.size() && first + i < file.fields_read(); ++i) {
    const FieldSpec& field = spec->fields[i];
    const FieldBounds& bounds = field.bounds;
    if (!bounds.checked) continue;
    const std::size_t index = first + i;
    const std::int64_t value = file.field_value(index);
    const bool outside_range = value < bounds.low || value > bounds.high;
    if (!outside_range && value % bounds.step == 0) continue;
    // Only a value at fault costs its message.
    const std::string read = std::string(field.name) + " " + std::to_string(value);
    if (outside_range) {
      const std::string outside =
          read + " lies outside " + std::to_string(bounds.low) + " to " + std::to_string(bounds.high);
      if (bounds.wraps) {
        const std::int64_t width = bounds.high - bounds.low + 1;
        const std::int64_t stored = bounds.low + ((value - bounds.low) % width + width) % width;
        sink.report(file.warning_at(file.field_offset(index), WarningRule::kValueWraps,
                                    outside + ": it does not fit its byte and is stored as " +
                                        std::to_string(stored)));
      } else {
        sink.report(file.warning_at(file.field_offset(index), WarningRule::kOutOfRange,
                                    outside + "; the compile takes it unchecked"));
      }
    } else if (value % bounds.step != 0) {
      const std::string stored = bounds.kept_off_step
                                     ? "the compile stores it as it stands"
                                     : "it is stored as " + std::to_string(round_div(value, bounds.step) * bounds.step);
      sink.report(file.warning_at(file.field_offset(index), WarningRule::kNotAMultiple,
                                  read + " is not a multiple of " + std::to_string(bounds.step) + ": " + stored));
    }
  }
}

void warn_out_of_order(const DescriptionFile& file, DiagnosticSink& sink, std::int64_t position,
                       std::int64_t previous, std::string_view record, std::int64_t reached_cell) {
  const std::int64_t cell = round_div(position, kCellLength);
  if (position >= previous && cell == round_div(previous, kCellLength)) {
    // Two records of one profile in one cell: only one value can hold
    // there. The message names no line, so that a run of such records is
    // told once with its count.
    const std::string place = cell == 0 ? "at the route's start" : "in the same 50 m cell (cell " +
                                                                        std::to_string(cell) + ")";
    sink.report(file.warning_at(
        file.field_offset(0), WarningRule::kSamePlace,
        "the " + std::string(record) + " record before this one stands " + place + ": " +
            (cell == 0 ? "this one replaces it, so it has no effect"
                       : "its value holds only one cell (50 m) before this one takes over")));
    return;
  }
  if (position >= previous) return;
  sink.report(file.warning_at(
      file.field_offset(0), WarningRule::kOutOfOrder,
      "position " + std::to_string(position) + " lies before " + std::to_string(previous) + ", the position of the " +
          std::string(record) + " record before it: the compile lays the records in file order, so this one takes "
          "effect only from cell " + std::to_string(reached_cell) + " (" + std::to_string(reached_cell * kCellLength) +
          " m), where the profile stands"));
}

void warn_spanning_quote(DescriptionFile& file, DiagnosticSink& sink) {
  const std::optional<FieldReader::SpanningQuote> quote = file.reader().take_spanning_quote();
  if (!quote) return;
  const std::string_view text = file.source().bytes;
  const int opened = file.line_of(quote->open);
  const bool closed = quote->close < text.size();
  // Never closed: the text runs to the last line that holds anything.
  std::size_t end = closed ? quote->close : text.size();
  while (!closed && end > quote->open && is_line_end(text[end - 1])) --end;
  const int last = file.line_of(end);
  const int swallowed = last - opened;
  // The records among the swallowed lines: those whose first field a
  // record kind of the file would take.
  std::size_t records = 0;
  const RecordSpec* current = file.record_spec();
  for (std::size_t at = text.find_first_of("\r\n", quote->open); at < end;) {
    const std::size_t start = text.find_first_not_of("\r\n", at);
    if (start >= end) break;
    const std::size_t line_end = std::min(text.find_first_of("\r\n", start), end);
    const std::string_view line = text.substr(start, line_end - start);
    const KeywordField field(line.substr(0, line.find(',')));
    for (const RecordSpec& spec : record_specs()) {
      const bool same_file = !current || description_of(spec.group) == description_of(current->group);
      if (same_file && !is_section_header(field.text) &&
          keyword_matches(spec, field)) {
        ++records;
        break;
      }
    }
    at = line_end;
  }
  const std::string lines = std::to_string(swallowed) + (swallowed == 1 ? " line" : " lines") + ", " +
                            std::to_string(records) + (records == 1 ? " record" : " records");
  std::string message = closed ? "this quote is closed only on line " + std::to_string(last) + ": the " + lines +
                                     " after it are read as part of one text, and no record on them is compiled"
                               : "this quote is never closed: the rest of the file (" + lines +
                                     ") is read as part of one text, and no record on it is compiled";
  sink.report(file.warning_at(quote->open, WarningRule::kUnclosedQuote, std::move(message)));
}

std::string quoted_field(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string shown;
  for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      shown += escaped;
    } else {
      shown += static_cast<char>(byte);
    }
  }
  if (text.size() > kShown) shown += "...";
  return shown;
}

Diagnostic reading_failure_diagnostic(const DescriptionFile& file, const ReadingFailure& failure) {
  using Problem = ReadingFailure::Problem;
  if (failure.offset())
    return file.diagnostic_at(*failure.offset(), Severity::kError, ErrorKind::kReadingFailure, failure.what());
  if (!file.is_open()) {
    return file.diagnostic_for_file(Severity::kError, ErrorKind::kReadingFailure, failure.what());
  }
  const std::size_t field = failure.field().value_or(file.fields_read());
  const std::string name = file.field_name(field);
  std::size_t offset = failure.field() ? file.field_offset(field) : file.reader().field_start();
  std::string message;
  switch (failure.problem()) {
    case Problem::kOther:
      message = failure.what();
      break;
    case Problem::kMissing:
      offset = file.fields_read() > 0 ? file.field_offset(file.fields_read() - 1) : file.record_start();
      message = "the file ends inside the record: " + name + " is missing";
      break;
    case Problem::kNotANumber:
      if (file.line_of(offset) != file.line_of(file.record_start())) {
        // The line ended before the record's fields: what was read in the
        // field's place belongs to the next line.
        message = name + " is missing at the end of the line (the field read in its place, '" +
                  quoted_field(failure.field_text()) + "', is not a whole number)";
        offset = file.line_end(file.record_start());
      } else {
        message = name + " '" + quoted_field(failure.field_text()) + "' is not a whole number";
      }
      break;
    case Problem::kAbove:
      message = name + " " + quoted_field(failure.field_text()) + " is above " + std::to_string(failure.limit());
      break;
    case Problem::kBelow:
      message = name + " " + quoted_field(failure.field_text()) + " is below " + std::to_string(failure.limit());
      break;
  }
  return file.diagnostic_at(offset, Severity::kError, ErrorKind::kReadingFailure, std::move(message));
}

}  // namespace compiler
