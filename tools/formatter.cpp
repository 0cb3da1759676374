#include "tools/formatter.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "compiler/line_parser.h"
#include "compiler/train_parser.h"
#include "naming/file_names.h"
#include "reading/description_file.h"
#include "reading/diagnostics.h"
#include "reading/field_reader.h"
#include "reading/records.h"
#include "reading/text.h"

namespace tools {
namespace {

using compiler::Description;
using compiler::FieldReader;
using compiler::FieldSpec;
using compiler::FieldType;
using compiler::RecordGroup;
using compiler::RecordSpec;

// Column widths of the canonical layout: a field in metres holds up to the
// longest line, 1000000, with a blank before it; the other fields are
// mostly up to three digits (speeds, gradients, station columns, digits).
constexpr std::size_t kMetresWidth = 8;
constexpr std::size_t kValueWidth = 4;
constexpr std::string_view kLineEnd = "\r\n";

// One line of the text: its bytes from begin to content_end, then its line
// end (CR LF, LF or a lone CR, as the field reader takes them) up to end.
struct Line {
  std::size_t begin = 0;
  std::size_t content_end = 0;
  std::size_t end = 0;
};

std::vector<Line> lines_of(std::string_view text) {
  std::vector<Line> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    Line line;
    line.begin = at;
    line.content_end = compiler::scan_to(text, at, compiler::kLineEndBytes);
    line.end = line.content_end;
    if (line.end < text.size() && text[line.end] == '\r') ++line.end;
    if (line.end < text.size() && text[line.end] == '\n' &&
        (line.end == line.content_end || text[line.end - 1] == '\r')) {
      ++line.end;
    }
    lines.push_back(line);
    at = line.end;
  }
  return lines;
}

// The index of the line that holds offset (a line end belongs to its line).
std::size_t line_index(const std::vector<Line>& lines, std::size_t offset) {
  const auto after = std::upper_bound(lines.begin(), lines.end(), offset,
                                      [](std::size_t at, const Line& line) { return at < line.begin; });
  return after == lines.begin() ? 0 : static_cast<std::size_t>(after - lines.begin()) - 1;
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool only_blanks(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// A whole number as the field reader takes it: an optional sign, digits.
bool is_number(std::string_view token) {
  if (!token.empty() && (token.front() == '+' || token.front() == '-')) token.remove_prefix(1);
  return !token.empty() && token.find_first_not_of("0123456789") == std::string_view::npos;
}

// A quoted text: from its opening quote to its closing one, or to the end of
// the text when it is never closed. What lies between is the text's own,
// line ends included.
struct QuotedSpan {
  std::size_t open = 0;
  std::size_t close = 0;  // the closing quote, or the text's size
  bool closed = true;
};

// A keyword field as the compile meets it, and the fields it reads after it.
struct RecordRead {
  std::size_t keyword_start = 0;
  std::string keyword;
  std::vector<const RecordSpec*> specs;  // the record kinds the keyword names
  std::vector<std::size_t> field_starts;
  std::size_t end = 0;                   // where the reading stood after the record
};

// How the compile reads the text, field by field.
struct Layout {
  bool has_section = false;
  std::size_t section_end = 0;  // the reader's place after the [generale] field
  std::vector<RecordRead> records;
  std::vector<QuotedSpan> quotes;
  // Where a field could not be read: the compile stops there, and the
  // formatter leaves the rest as it is.
  std::optional<std::size_t> stopped_at;
};

// Reads the text the way the parser halves do (compiler/line_parser.cpp and
// compiler/train_parser.cpp): the search for the [generale] section, the
// keyword fields with their hyphen fields passed over, and the fields of
// every record kind a keyword names, read with the field reader itself.
// Up to the first error of the compile it reads what the compile reads; an
// error stops the compile's reading of the file, so what follows it cannot
// change the compiled files. (A compile without the track plan reads the
// numbers of a curve record as keyword fields that match nothing, and
// passes over them however they are spaced.)
class LayoutReader {
 public:
  LayoutReader(std::string_view text, Description description)
      : text_(text), description_(description), reader_(text) {}

  Layout read() {
    if (!find_general_section()) return std::move(layout_);
    layout_.has_section = true;
    layout_.section_end = reader_.offset();
    RecordGroup group = description_ == Description::kLine ? RecordGroup::kLineGeneral : RecordGroup::kTrain;
    try {
      for (;;) {
        begun_ = reader_.offset();
        const bool general = group == RecordGroup::kLineGeneral;
        const int skips = general ? compiler::kGeneralHyphenSkips
                                  : (description_ == Description::kLine ? compiler::kRecordHyphenSkips
                                                                        : compiler::kTrainHyphenSkips);
        if (!read_keyword(skips, /*end_test=*/!general)) break;
        RecordRead& record = layout_.records.back();
        const compiler::KeywordField keyword(record.keyword);
        for (const RecordSpec& spec : compiler::records_of(group)) {
          if (compiler::keyword_matches(spec, keyword)) record.specs.push_back(&spec);
        }
        for (const RecordSpec* spec : record.specs) {
          for (const FieldSpec& field : spec->fields) {
            read_field(field.type);
            record.field_starts.push_back(reader_.field_start());
          }
        }
        record.end = reader_.offset();
        if (general && compiler::ends_general_section(record.keyword)) {
          group = RecordGroup::kLineRecords;
        }
      }
    } catch (const compiler::ReadingFailure&) {
      layout_.stopped_at = begun_;
    }
    return std::move(layout_);
  }

 private:
  // The line description's section search does not take a [generale] field
  // that is the file's last; the train description's does.
  bool find_general_section() {
    while (!reader_.at_end()) {
      const std::string field = read_text();
      if (description_ == Description::kLine && reader_.at_end()) return false;
      if (compiler::contains_ignoring_case(field, "[generale]")) return true;
    }
    return false;
  }

  // compiler::read_keyword: the next keyword field, after up to skips fields
  // holding a hyphen; false where the reading ends (the file's last field is
  // never handled).
  bool read_keyword(int skips, bool end_test) {
    if (reader_.at_end()) return false;
    std::string field = read_text();
    std::size_t start = reader_.field_start();
    if (reader_.at_end()) return false;
    for (int discarded = 0; discarded < skips && compiler::contains(field, "-"); ++discarded) {
      field = read_text();
      start = reader_.field_start();
      if (end_test && reader_.at_end()) return false;
    }
    RecordRead record;
    record.keyword_start = start;
    record.keyword = std::move(field);
    record.end = reader_.offset();
    layout_.records.push_back(std::move(record));
    return true;
  }

  void read_field(FieldType type) {
    switch (type) {
      case FieldType::kInt32:
        reader_.read_int32();
        break;
      case FieldType::kInt16:
        reader_.read_int16();
        break;
      case FieldType::kByte:
        reader_.read_byte();
        break;
      case FieldType::kText:
        read_text();
        break;
    }
  }

  std::string read_text() {
    std::string field = reader_.read_text();
    const std::size_t start = reader_.field_start();
    if (start < text_.size() && text_[start] == '"') {
      const std::size_t close = text_.find('"', start + 1);
      if (close == std::string_view::npos) {
        layout_.quotes.push_back({start, text_.size(), false});
      } else {
        layout_.quotes.push_back({start, close, true});
      }
    }
    return field;
  }

  std::string_view text_;
  Description description_;
  FieldReader reader_;
  Layout layout_;
  std::size_t begun_ = 0;  // where the reading of the current record began
};

// Collects the lines of one file that hold a warning or an error.
class LineMarks : public compiler::DiagnosticSink {
 public:
  explicit LineMarks(std::string file) : file_(std::move(file)) {}
  void report(compiler::Diagnostic diagnostic) override { mark(diagnostic); }
  bool goes_on_after_errors() const override { return true; }
  void mark(const compiler::Diagnostic& diagnostic) {
    if (diagnostic.severity == compiler::Severity::kNote) return;
    if (diagnostic.file != file_ || diagnostic.line <= 0) return;
    lines_.push_back(static_cast<std::size_t>(diagnostic.line) - 1);
  }
  std::vector<std::size_t> take() {
    std::sort(lines_.begin(), lines_.end());
    lines_.erase(std::unique(lines_.begin(), lines_.end()), lines_.end());
    return std::move(lines_);
  }

 private:
  std::string file_;
  std::vector<std::size_t> lines_;
};

// The partner the train description is checked with: a line of the longest
// length with nothing on it, so that no record of the train is refused for
// want of room and no board of a line takes a cell it wants.
constexpr std::string_view kEmptyLongestLine = "[generale]\r\nlunghezza percorso, 1000000\r\n[fine]\r\n";

// The 0-based lines of text that the check finds a warning or an error on.
std::vector<std::size_t> lines_with_diagnostics(std::string_view text, Description description) {
  const bool line = description == Description::kLine;
  const std::string name = line ? "S_linea.txt" : "S_T-.txt";
  compiler::CompileRequest request;
  request.scenario_id = "S";
  request.train_id = "T";
  request.j = 1;
  request.sources.line = compiler::in_memory("S_linea.txt", line ? std::string(text) : std::string(kEmptyLongestLine));
  request.sources.train = compiler::in_memory("S_T-.txt", line ? std::string() : std::string(text));
  compiler::CompiledModel model;
  model.track_plan.keep_positions_only();
  LineMarks marks(name);
  const compiler::PassResult pass = compiler::compile_pass(model, request, marks);
  if (pass.stop) marks.mark(*pass.stop);
  return marks.take();
}

// What becomes of one line.
enum class LineForm {
  kVerbatim,  // its bytes as they are
  kRecord,    // the canonical record
  kHeader,    // the section header without blanks around it
  kBlank,     // only blanks: one of a run of blank lines
};

struct LinePlan {
  LineForm form = LineForm::kVerbatim;
  const RecordRead* record = nullptr;
  // Its line end lies inside a quoted text, or after the place where the
  // reading stopped: it stays as it is.
  bool keep_line_end = false;
};

// The quoted texts follow one another without overlapping, as the reading
// met them, so their closing quotes come in order too: the one quoted text
// that can hold offset is the first that does not close before it.
const QuotedSpan* quote_at_or_after(const std::vector<QuotedSpan>& quotes, std::size_t offset) {
  const auto found = std::lower_bound(quotes.begin(), quotes.end(), offset,
                                      [](const QuotedSpan& quote, std::size_t at) { return quote.close < at; });
  return found == quotes.end() ? nullptr : &*found;
}

// True when a byte from from to to (not included) lies in a quoted text,
// its quotes included.
bool overlaps_quote(const std::vector<QuotedSpan>& quotes, std::size_t from, std::size_t to) {
  const QuotedSpan* quote = quote_at_or_after(quotes, from);
  return quote != nullptr && quote->open < to;
}

// True when the line end at offset (the text's size for a last line without
// one) belongs to a quoted text: a line end before the closing quote, or
// anything after a quote that is never closed.
bool line_end_quoted(const std::vector<QuotedSpan>& quotes, std::size_t offset) {
  const QuotedSpan* quote = quote_at_or_after(quotes, offset);
  return quote != nullptr && quote->open < offset && (offset < quote->close || !quote->closed);
}

class Formatter {
 public:
  Formatter(std::string_view text, Description description)
      : text_(text), description_(description), lines_(lines_of(text)) {}

  std::string run() {
    const Layout layout = LayoutReader(text_, description_).read();
    if (!layout.has_section) return std::string(text_);
    const std::vector<std::size_t> marked = lines_with_diagnostics(text_, description_);
    const auto has_diagnostic = [&](std::size_t line) {
      return std::binary_search(marked.begin(), marked.end(), line);
    };
    // The [generale] line and everything before it stay as they are.
    const std::size_t first = line_index(lines_, layout.section_end - 1) + 1;
    const std::size_t stop = layout.stopped_at ? line_index(lines_, *layout.stopped_at) : lines_.size();
    std::vector<LinePlan> plans(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const Line& line = lines_[i];
      LinePlan& plan = plans[i];
      plan.keep_line_end = i < first || i >= stop || line_end_quoted(layout.quotes, line.content_end);
      const std::string_view content = text_.substr(line.begin, line.content_end - line.begin);
      if (i >= first && i < stop && only_blanks(content) && !overlaps_quote(layout.quotes, line.begin, line.end)) {
        plan.form = LineForm::kBlank;
      }
    }
    for (const RecordRead& record : layout.records) {
      const std::size_t i = line_index(lines_, record.keyword_start);
      if (i < first || i >= stop || has_diagnostic(i)) continue;
      const Line& line = lines_[i];
      const std::string_view content = text_.substr(line.begin, line.content_end - line.begin);
      // The record starts its line and ends with it, and no quote is near.
      const std::size_t indent = content.find_first_not_of(" \t");
      if (indent == std::string_view::npos || record.keyword_start != line.begin + indent) continue;
      if (record.end != line.end) continue;
      if (content.find('"') != std::string_view::npos) continue;
      if (record.specs.empty()) {
        if (is_known_header(content)) plans[i].form = LineForm::kHeader;
      } else if (is_plain_record(record, content)) {
        plans[i].form = LineForm::kRecord;
        plans[i].record = &record;
      }
    }
    return emit(plans);
  }

 private:
  // A section header of this description alone on its line.
  bool is_known_header(std::string_view content) const {
    const std::string lower = compiler::to_lower_1252(trimmed(content));
    for (const std::string_view header : compiler::section_headers(description_)) {
      if (lower == header) return true;
    }
    return false;
  }

  // One record kind, every field on the line between commas: the keyword
  // (no hyphen, which would make the compile pass over it), numbers
  // without anything else, and a text field only at the end.
  static bool is_plain_record(const RecordRead& record, std::string_view content) {
    if (record.specs.size() != 1) return false;
    const RecordSpec& spec = *record.specs.front();
    if (record.field_starts.size() != spec.fields.size()) return false;
    const std::string_view keyword = trimmed(content.substr(0, content.find(',')));
    if (keyword.empty() || keyword.find('-') != std::string_view::npos) return false;
    std::size_t at = content.find(',');
    for (std::size_t i = 0; i < spec.fields.size(); ++i) {
      if (at == std::string_view::npos) return false;
      const std::size_t next = content.find(',', at + 1);
      const std::string_view field = content.substr(at + 1, next == std::string_view::npos ? next : next - at - 1);
      if (spec.fields[i].type == FieldType::kText) {
        if (i + 1 != spec.fields.size() || next != std::string_view::npos || only_blanks(field)) return false;
      } else if (!is_number(trimmed(field))) {
        return false;
      }
      at = next;
    }
    return at == std::string_view::npos;
  }

  std::string canonical_record(const RecordRead& record, std::string_view content) const {
    const RecordSpec& spec = *record.specs.front();
    std::size_t at = content.find(',');
    std::string out(trimmed(content.substr(0, at)));
    for (const FieldSpec& field_spec : spec.fields) {
      const std::size_t next = content.find(',', at + 1);
      const std::string_view field = content.substr(at + 1, next == std::string_view::npos ? next : next - at - 1);
      out += ',';
      if (field_spec.type == FieldType::kText) {
        // The text as the field reader takes it: from its first byte that is
        // not a blank to the line end, trailing blanks included.
        out += ' ';
        out += field.substr(field.find_first_not_of(" \t"));
      } else {
        const std::string_view number = trimmed(field);
        const std::size_t width = field_spec.unit == "m" ? kMetresWidth : kValueWidth;
        out.append(width > number.size() ? width - number.size() : 1, ' ');
        out += number;
      }
      at = next;
    }
    return out;
  }

  std::string emit(const std::vector<LinePlan>& plans) const {
    std::string out;
    out.reserve(text_.size() + text_.size() / 8);
    bool blank_pending = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const Line& line = lines_[i];
      const LinePlan& plan = plans[i];
      const std::string_view content = text_.substr(line.begin, line.content_end - line.begin);
      if (plan.form == LineForm::kBlank) {
        blank_pending = true;
        continue;
      }
      // One blank line for a run; the blank lines at the end go.
      if (blank_pending) out += kLineEnd;
      blank_pending = false;
      switch (plan.form) {
        case LineForm::kRecord:
          out += canonical_record(*plan.record, content);
          break;
        case LineForm::kHeader:
          out += trimmed(content);
          break;
        case LineForm::kVerbatim:
        case LineForm::kBlank:
          out += content;
          break;
      }
      if (plan.keep_line_end) {
        out += text_.substr(line.content_end, line.end - line.content_end);
      } else {
        out += kLineEnd;
      }
    }
    return out;
  }

  std::string_view text_;
  Description description_;
  std::vector<Line> lines_;
};

}  // namespace

std::string format_description(std::string_view text, Description description) {
  return Formatter(text, description).run();
}

Description description_of_file(std::string_view path, std::string_view text) {
  const std::string_view name = path.substr(path.find_last_of('/') + 1);
  if (name.ends_with(naming::kLineDescriptionEnd)) return Description::kLine;
  if (name.ends_with(naming::kTrainDescriptionEnd)) return Description::kTrain;
  std::size_t line_records = 0;
  std::size_t train_records = 0;
  for (const Line& line : lines_of(text)) {
    const std::string_view content = text.substr(line.begin, line.content_end - line.begin);
    const compiler::KeywordField field(trimmed(content.substr(0, content.find(','))));
    if (field.text.empty() || field.text.front() == '[') continue;
    for (const RecordSpec& spec : compiler::record_specs()) {
      if (!compiler::keyword_matches(spec, field)) continue;
      ++(compiler::description_of(spec.group) == Description::kLine ? line_records : train_records);
      break;
    }
  }
  return line_records > train_records ? Description::kLine : Description::kTrain;
}

}  // namespace tools
