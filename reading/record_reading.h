#pragma once
// What the two parser halves share: the flow after a record, the keyword
// reader, the position check, the report of a faulty record, and the
// warnings about what the compile passes over in silence.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/model.h"
#include "reading/description_file.h"
#include "reading/diagnostics.h"
#include "reading/records.h"

namespace compiler {

// Where the reading goes after one record: on with the next one, out of the
// record loop (the ending of the half still runs), or out of the whole call.
enum class Flow { kNext, kLeaveLoop, kEndCall };

// Room a positioned record must leave before the route's last cell.
inline constexpr std::int64_t kRecordMargin = 100;
inline constexpr std::int64_t kStationMargin = 800;

// True when a record at position lies too close to the route's end:
// (position + margin) / 50 beyond last_cell. The comparison is exact.
inline bool beyond_route(const CompiledModel& model, std::int64_t position, std::int64_t margin) {
  return position + margin > kCellLength * model.last_cell;
}

// Which record took a cell, so that a record refused there can point at it.
struct CellHolder {
  const DescriptionFile* file = nullptr;
  std::size_t offset = 0;
};

// A kilometric chainage record of the line description, as read, so that an
// entry off the 50 m grid can point at the record that gave it.
struct ChainageRecord {
  std::int32_t value1 = 0;
  std::int32_t value2 = 0;
  std::size_t position_offset = 0;
  std::size_t value_offset = 0;
};

// The two descriptions of one compile and what their reading shares: the
// sink, the holders of the route's cells, and the checks that want both.
class ReadingContext {
 public:
  ReadingContext(const SourceText& line_source, const SourceText& train_source, DiagnosticSink& diagnostic_sink)
      : line(line_source), train(train_source), sink(diagnostic_sink) {}

  DescriptionFile line;
  DescriptionFile train;
  DiagnosticSink& sink;
  std::vector<ChainageRecord> chainage_records;

  // Reports error kind at field of the record file is reading, with note
  // added when given. Where the sink goes on after errors (the check), the
  // reading goes on with the next record: kNext. Else it goes as stop says,
  // and a stop that ends the call closes the file.
  Flow fail(DescriptionFile& file, ErrorKind kind, std::optional<std::int32_t> position, std::size_t field,
            std::string message, Flow stop = Flow::kEndCall, std::optional<Diagnostic> note = std::nullopt);

  // Checks the position of the record file is reading (its field 0): beyond
  // the route's end less margin, kBeyondRoute, and the flow after it; inside
  // the route but beyond the line's length, a warning. Nothing when the
  // record may be placed. Needs a sized route.
  std::optional<Flow> refuse_position(DescriptionFile& file, const CompiledModel& model, std::int64_t position,
                                      std::int64_t margin);

  // The route was sized afresh: no cell has a holder.
  void clear_holders(std::size_t cells) { holders_.assign(cells, {}); }
  // The record being read in file takes the cell.
  void hold(std::int64_t cell, const DescriptionFile& file);
  // A note at the record that holds cell, if one does.
  std::optional<Diagnostic> holder_note(std::int64_t cell) const;
  // The record that holds cell, if any.
  const CellHolder* holder(std::int64_t cell) const;

 private:
  std::vector<CellHolder> holders_;
};

// Reads the next keyword field and marks the record there. Up to
// max_discards fields holding a hyphen are passed over in its place; with
// end_test, the file's end after a discarded field ends the loop too.
// Nothing when the file ends right after the field: the last field of a file
// is never handled.
std::optional<std::string> read_keyword(DescriptionFile& file, int max_discards, bool end_test);

// Looks at a keyword field that no record kind matched: a section header or
// keyword that is not a known one is worth a warning (with the nearest known
// one); so is the first record after the end marker. Fields that continue a
// line (the numbers of an unknown record) are passed over.
class KeywordWatch {
 public:
  explicit KeywordWatch(Description description) : description_(description) {}
  void look(DescriptionFile& file, std::string_view keyword, bool matched, DiagnosticSink& sink);

 private:
  // Notes a section header at the start of its line; a second one of the
  // same name is a warning.
  void look_at_section(DescriptionFile& file, std::string_view header, DiagnosticSink& sink);
  // The known word nearest to a lower-case field, remembered per field.
  const std::optional<std::string>& nearest_word(const std::string& lower);

  Description description_;
  std::unordered_map<std::string, std::optional<std::string>> nearest_;
  bool after_end_ = false;
  bool warned_after_end_ = false;
  // The section headers met so far and where.
  std::vector<std::pair<std::string_view, std::size_t>> sections_;
};

// True when a record (not only blank lines and section headers, such as
// the closing "[fine]") follows the current record's line and the reader's
// place in file.
bool records_remain(const DescriptionFile& file);

// Warns about a byte-order mark at the file's start, and about each line of
// file that holds UTF-8 text beyond ASCII: the files are Windows-1252, so
// such text shows garbled.
void warn_utf8_lines(const DescriptionFile& file, DiagnosticSink& sink);

// The report of a reading failure in the record being read (or, once the file
// is read, in no record).
Diagnostic reading_failure_diagnostic(const DescriptionFile& file, const ReadingFailure& failure);

// A field's text as a diagnostic quotes it: control bytes escaped, cut to a
// few dozen bytes.
std::string quoted_field(std::string_view text);

}  // namespace compiler

namespace compiler {

// Thrown once a reading failure has been reported and the compile's format
// ends the whole call there (kReadingFailure): both files are consumed.
struct ReadingEnded {};

// Handles one record. A reading failure in it is reported; the compile then
// ends the call (ReadingEnded), the check goes on at the next line as if
// the record were absent, or leaves the loop when the file ended inside it.
template <typename Handler>
Flow handle_guarded(ReadingContext& context, DescriptionFile& file, Handler handler) {
  try {
    return handler();
  } catch (const ReadingFailure& failure) {
    const std::size_t at = file.reader().field_start();
    Diagnostic diagnostic = reading_failure_diagnostic(file, failure);
    const int faulty_line = diagnostic.line;
    context.sink.report(std::move(diagnostic));
    if (!context.sink.goes_on_after_errors()) {
      // The records after the faulty one are not compiled: say so, as after
      // every error that stops the reading.
      if (faulty_line > 0 && records_remain(file)) context.sink.reading_stopped(file.name(), faulty_line);
      throw ReadingEnded{};
    }
    if (failure.problem() == ReadingFailure::Problem::kMissing) return Flow::kLeaveLoop;
    file.reader().resume_after_line_of(at);
    return Flow::kNext;
  }
}

// Warns about each numeric field of the record kind just read whose value
// lies outside the range the records table documents for it (and the
// compile does not enforce): out of range, wrapped in its byte, or off its
// step, each with what the compile stores instead.
void warn_field_values(const DescriptionFile& file, DiagnosticSink& sink);

// Warns when the line of the record just read holds more than its fields:
// a number split by a blank, or a field too many. What is left is read as
// the next record's keyword.
void warn_extra_fields(const DescriptionFile& file, DiagnosticSink& sink);

// Warns when a profile record (gradient, speed limit, adhesion) at position
// lies before previous, the position of the record of the same profile
// before it: the compile lays a profile in file order, so the record takes
// effect only from reached_cell, where the profile already stands.
void warn_out_of_order(const DescriptionFile& file, DiagnosticSink& sink, std::int64_t position,
                       std::int64_t previous, std::string_view record, std::int64_t reached_cell);

// Warns about a quoted text of the record just read that ran over line ends:
// the lines up to its closing quote were read as part of the text, and the
// records on them were not compiled. One warning for the whole stretch.
void warn_spanning_quote(DescriptionFile& file, DiagnosticSink& sink);

// Hands a keyword field to every record kind of group whose test it passes,
// in the table's order (the tests do not exclude one another: each kind that
// matches reads its own fields), until one gives a flow other than kNext.
// read_record(spec) reads the record of one kind. A field that no kind
// matched goes to the watch.
template <typename ReadRecord>
Flow dispatch_record(DescriptionFile& file, RecordGroup group, const std::string& keyword, KeywordWatch& watch,
                     DiagnosticSink& sink, ReadRecord read_record) {
  bool matched = false;
  const KeywordField field(keyword);
  for (const RecordSpec& spec : records_of(group)) {
    if (!keyword_matches(spec, field)) continue;
    matched = true;
    file.set_record_spec(&spec);
    const Flow flow = read_record(spec);
    if (!file.record_failed()) warn_field_values(file, sink);
    if (flow != Flow::kNext) return flow;
  }
  if (matched && !file.record_failed()) warn_extra_fields(file, sink);
  watch.look(file, keyword, matched, sink);
  return Flow::kNext;
}

// The record loop of a description file, up to its end: each keyword field
// (after up to hyphen_skips ruler fields) is kept as the model's field text
// and handled under guard. The file's last field is never handled: the
// closing "[fine]" line takes that place. Returns kLeaveLoop at the end, or
// the first other flow a record gave.
template <typename HandleRecord>
Flow read_record_loop(DescriptionFile& file, ReadingContext& context, CompiledModel& model, int hyphen_skips,
                      HandleRecord handle_record) {
  for (;;) {
    const std::optional<std::string> keyword = read_keyword(file, hyphen_skips, /*end_test=*/true);
    if (!keyword) return Flow::kLeaveLoop;
    model.field_text = *keyword;
    const Flow flow = handle_guarded(context, file, [&] { return handle_record(*keyword); });
    warn_spanning_quote(file, context.sink);
    if (flow != Flow::kNext) return flow;
  }
}

}  // namespace compiler
