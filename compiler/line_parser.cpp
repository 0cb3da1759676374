#include "compiler/line_parser.h"

#include <algorithm>
#include <array>
#include <limits>

#include "compiler/track_plan.h"
#include "model/rounding.h"
#include "reading/error_kinds.h"
#include "reading/text.h"

namespace compiler {
namespace {

// Two mountain stretches this close (metres from one's end to the next one's
// start) or closer are one continuous stretch of type 3.
constexpr std::int64_t kJoinedStretchGap = 150;
constexpr std::int32_t kJoinedStretchType = 3;

constexpr int kTre = 81;
constexpr int kDue = 82;
constexpr int kUno = 83;

// The cell of a board standing at position: round(position / 50 + 1).
std::int64_t board_cell(std::int32_t position) { return round_div(std::int64_t{position} + kCellLength, kCellLength); }

struct Chainage {
  std::int32_t value1 = 0;
  std::int32_t value2 = 0;
  std::int32_t value3 = 0;
};
using ChainageEntries = std::array<Chainage, 3>;  // entries 81, 82, 83

Chainage chainage_of(const ScenarioEntry& entry) { return {entry.value1, entry.value2, entry.value3}; }

// Largest position first. Only a record strictly greater than both others
// leads; of the other two the one from the lower entry comes next only when
// strictly greater. Without a strict leader all three are cleared.
ChainageEntries ordered_by_position(const ChainageEntries& read) {
  for (std::size_t top = 0; top < 3; ++top) {
    const std::size_t lower = top == 0 ? 1 : 0;
    const std::size_t higher = top == 2 ? 1 : 2;
    if (read[top].value1 <= read[lower].value1 || read[top].value1 <= read[higher].value1) continue;
    if (read[lower].value1 > read[higher].value1) return {read[top], read[lower], read[higher]};
    return {read[top], read[higher], read[lower]};
  }
  return {};
}

// With positions adding up to 0, a record with a positive value leads; the
// last one found (tre, due, uno) decides the order.
ChainageEntries ordered_by_value(const ChainageEntries& read) {
  const Chainage& tre = read[0];
  const Chainage& due = read[1];
  const Chainage& uno = read[2];
  ChainageEntries ordered{};
  if (tre.value2 > 0) ordered = {tre, due, uno};
  if (due.value2 > 0) ordered = {due, tre, uno};
  if (uno.value2 > 0) ordered = {uno, due, tre};
  return ordered;
}

// One speed of the s board times 20 with the matching d speed divided by 5,
// rounded: (d + 100 s) / 5. It must fit a 16-bit word.
std::int16_t packed_speeds(std::int32_t s_speed, std::int32_t d_speed) {
  const std::int64_t packed = round_div(std::int64_t{d_speed} + std::int64_t{s_speed} * 100, 5);
  if (packed < std::numeric_limits<std::int16_t>::min() || packed > std::numeric_limits<std::int16_t>::max()) {
    throw ReadingFailure("a board speed does not fit 16 bits");
  }
  return static_cast<std::int16_t>(packed);
}

}  // namespace

bool ends_general_section(std::string_view field) {
  const std::size_t first = field.find_first_not_of(" \t");
  if (first != std::string_view::npos && field[first] == '-') return false;
  return contains(field, "[") && contains(field, "]");
}

Flow LineParser::run() {
  try {
    return read_line_file();
  } catch (const ReadingFailure& failure) {
    // Outside any record: a discarded keyword at the file's end, or the last
    // gradient running on after the file is read, when no record is to blame.
    sink_.report(reading_failure_diagnostic(file_, failure));
    throw ReadingEnded{};
  }
}

Flow LineParser::read_line_file() {
  model_.scenario_table[kScenarioHeaderEntry].text = model_.scenario_id;
  model_.scenario_table[kTrainIdEntry].text = model_.train_id;
  if (!file_.exists()) {
    sink_.report(file_.diagnostic_for_file(Severity::kError, ErrorKind::kLineMissing,
                                           std::string(error_meaning(ErrorKind::kLineMissing))));
    return Flow::kEndCall;
  }
  if (!file_.readable()) {
    sink_.report(file_.diagnostic_for_file(Severity::kError, ErrorKind::kReadingFailure,
                                           "the line description cannot be read: " + file_.source().reason));
    throw ReadingEnded{};
  }
  file_.open();
  warn_utf8_lines(file_, sink_);
  if (!find_general_section()) {
    file_.close_and_delete();
    sink_.report(file_.diagnostic_for_file(Severity::kError, ErrorKind::kNoGeneralSection,
                                           std::string(error_meaning(ErrorKind::kNoGeneralSection))));
    return Flow::kEndCall;
  }
  if (read_general_section() == Flow::kEndCall) return Flow::kEndCall;
  prepare_record_loop();
  if (read_records() == Flow::kEndCall) return Flow::kEndCall;
  return finish_reading();
}

// Everything up to the first field holding "[generale]" is ignored. The
// file's last field never counts, so one that ends there has no section.
bool LineParser::find_general_section() {
  for (;;) {
    if (reader().at_end()) return false;
    model_.field_text = reader().read_text();
    if (reader().at_end()) return false;
    if (contains_ignoring_case(model_.field_text, "[generale]")) return true;
  }
}

// A general keyword field may stand after up to ten fields holding a
// hyphen, with no test for the file's end between them.
Flow LineParser::read_general_section() {
  for (;;) {
    const std::optional<std::string> keyword = read_keyword(file_, kGeneralHyphenSkips, /*end_test=*/false);
    if (!keyword) return Flow::kNext;
    model_.field_text = *keyword;
    const Flow flow = handle_guarded(context_, file_, [&] { return handle_general_record(*keyword); });
    if (flow == Flow::kEndCall) return Flow::kEndCall;
    if (ends_general_section(*keyword)) return Flow::kNext;
  }
}

// The general keywords are not exclusive: every test that matches reads its
// numbers before the next test is made. The length test ignores letter case,
// the others compare exactly.
Flow LineParser::handle_general_record(const std::string& keyword) {
  ScenarioEntry& backgrounds = model_.scenario_table[kScenarioHeaderEntry];
  // The header that closes the section is no record, but may be misspelt.
  return dispatch_record(file_, RecordGroup::kLineGeneral, keyword, watch_, sink_, [&](const RecordSpec& spec) {
    switch (spec.id) {
      case RecordId::kLineLength:
        return read_line_length();
      case RecordId::kChainageTre:
        read_chainage(kTre);
        return Flow::kNext;
      case RecordId::kChainageDue:
        read_chainage(kDue);
        return Flow::kNext;
      case RecordId::kChainageUno:
        read_chainage(kUno);
        return Flow::kNext;
      case RecordId::kBackgroundUno:
        backgrounds.value1 = read_int32();
        return Flow::kNext;
      case RecordId::kBackgroundDue:
        backgrounds.value3 = read_int32();
        return Flow::kNext;
      case RecordId::kBackgroundTre:
        backgrounds.value2 = read_int32();
        return Flow::kNext;
      case RecordId::kSignalRepetition:
        return read_signal_repetition(keyword);
      default:
        return Flow::kNext;
    }
  });
}

// Sizes the route (and the plan) afresh: a second length record loses what
// was written before it.
Flow LineParser::read_line_length() {
  const std::int32_t length = read_int32();
  model_.scenario_table[kTrainHeaderEntry].value2 = length;
  if (length > kMaxLineLength) {
    length_failed_ = true;
    return context_.fail(file_, ErrorKind::kLineTooLong, std::nullopt, 0,
                         "line length " + std::to_string(length) + " is above 1000000");
  }
  if (length < 0) {
    length_failed_ = true;
    throw ReadingFailure("line length " + std::to_string(length) + " is below 0", 0);
  }
  model_.size_route(length);
  context_.clear_holders(model_.route.size());
  if (model_.full_compile != 0) size_track_plan(model_);
  return Flow::kNext;
}

void LineParser::read_chainage(int entry) {
  ScenarioEntry& chainage = model_.scenario_table[entry];
  chainage.value1 = read_int32();
  chainage.value2 = read_int32();
  chainage.value3 = read_int32();
  context_.chainage_records.push_back({chainage.value1, chainage.value2, file_.field_offset(0), file_.field_offset(1)});
}

// The cab-signal repetition stretch; the keyword's digit names the code
// system, and an end of 0 means no repetition at all.
Flow LineParser::read_signal_repetition(const std::string& keyword) {
  ScenarioEntry& repetition = model_.scenario_table[kTrainIdEntry];
  repetition.value1 = read_int32();
  repetition.value2 = read_int32();
  if (repetition.value1 % kCellLength != 0) {
    return context_.fail(file_, ErrorKind::kRepetitionStartOffGrid, std::nullopt, 0,
                         "repetition start " + std::to_string(repetition.value1) + " is not a multiple of 50");
  }
  if (repetition.value2 % kCellLength != 0) {
    return context_.fail(file_, ErrorKind::kRepetitionEndOffGrid, std::nullopt, 1,
                         "repetition end " + std::to_string(repetition.value2) + " is not a multiple of 50");
  }
  if (contains(keyword, "4")) {
    repetition.value3 = 4;
  } else if (contains(keyword, "9")) {
    repetition.value3 = 9;
  } else {
    return context_.fail(
        file_, ErrorKind::kRepetitionWithoutKind, std::nullopt, file_.fields_read(),
        "the repetition keyword '" + quoted_field(keyword) + "' names no code system: it holds neither 4 nor 9");
  }
  if (repetition.value2 == 0) repetition.value3 = 0;
  return Flow::kNext;
}

void LineParser::progressive_ordina() {
  auto& table = model_.scenario_table;
  const ChainageEntries read = {chainage_of(table[kTre]), chainage_of(table[kDue]), chainage_of(table[kUno])};
  const std::int64_t position_sum = std::int64_t{read[0].value1} + read[1].value1 + read[2].value1;
  ChainageEntries ordered = position_sum != 0 ? ordered_by_position(read) : ordered_by_value(read);
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    Chainage& chainage = ordered[i];
    if (chainage.value3 == 1) chainage.value2 = low_bits<std::int32_t>(std::int64_t{chainage.value2} + 100);
    ScenarioEntry& entry = table[kTre + static_cast<int>(i)];
    entry.value1 = chainage.value1;
    entry.value2 = chainage.value2;
    entry.value3 = chainage.value3;
  }
}

void LineParser::prepare_record_loop() {
  progressive_ordina();
  model_.tunnel_count = 0;
  model_.next_board_entry = kFirstBoardEntry;
  gradient_fill_position_ = 0;
  previous_gradient_position_.reset();
  // Without a length record there is no plan to start; the first positioned
  // record then fails the reading.
  if (model_.full_compile != 0 && model_.track_plan.sized()) start_track_plan(model_.track_plan);
}

Flow LineParser::read_records() {
  return read_record_loop(file_, context_, model_, kRecordHyphenSkips,
                          [this](const std::string& keyword) { return handle_record(keyword); });
}

// The record keywords are not exclusive either, and every test ignores
// letter case. Section headers match none and are passed over; so is a curve
// record without a full compile, its numbers read as keyword fields.
Flow LineParser::handle_record(const std::string& keyword) {
  return dispatch_record(file_, RecordGroup::kLineRecords, keyword, watch_, sink_, [&](const RecordSpec& spec) {
    if (spec.id == RecordId::kCurve && model_.full_compile == 0) return Flow::kNext;
    switch (spec.id) {
      case RecordId::kGradient:
        return read_gradient();
      case RecordId::kCurve:
        return read_curve(keyword);
      case RecordId::kMountain:
        return read_mountain();
      case RecordId::kSpeedBoards:
        return read_speed_boards();
      case RecordId::kIndicationBoard:
        return read_indication_board();
      default:
        return Flow::kNext;
    }
  });
}

// Made on every positioned record right after its fields are read: a record
// needs a route, and one whose (position + 100) / 50 lies beyond the last
// cell ends the record loop with kBeyondRoute. Nothing when the record may be
// placed; else the flow after the refused record (in the check: on with the
// next one, the refused record passed over).
std::optional<Flow> LineParser::refuse_position(std::int32_t position) {
  if (!model_.route_sized()) {
    // In the check, a refused length record has been reported already: the
    // records that need its route are not blamed for it.
    if (context_.sink.goes_on_after_errors() && length_failed_) return Flow::kEndCall;
    if (context_.sink.goes_on_after_errors()) {
      file_.mark_failed();
      sink_.report(file_.diagnostic_at(file_.record_start(), Severity::kError, ErrorKind::kReadingFailure,
                                       "a positioned record before the line length: there is no route to place it on"));
      return Flow::kEndCall;
    }
    // Blamed on the record's keyword, where the check puts it too.
    throw ReadingFailure::at_offset("a positioned record before the line length: there is no route to place it on",
                                    file_.record_start());
  }
  return context_.refuse_position(file_, model_, position, kRecordMargin);
}


Flow LineParser::read_gradient() {
  const std::int32_t p = read_int32();
  const std::int32_t g = read_int32();
  if (const auto refused = refuse_position(p)) return *refused;
  if (previous_gradient_position_) {
    warn_out_of_order(file_, sink_, p, *previous_gradient_position_, "gradient", gradient_fill_position_);
  }
  previous_gradient_position_ = p;
  gradient_step(p, g);
  return Flow::kNext;
}

Flow LineParser::read_curve(const std::string& keyword) {
  const std::int32_t p = read_int32();
  const std::int32_t n = read_int32();
  if (const auto refused = refuse_position(p)) return *refused;
  if (!curve_step(model_.track_plan, keyword, p, n)) {
    const bool has_digit = keyword.find_first_of("123456") != std::string::npos;
    if (!has_digit) {
      return context_.fail(file_, ErrorKind::kCurveOrPlanBeyond, std::nullopt, file_.fields_read(),
                  "the curve keyword '" + quoted_field(keyword) + "' has no radius digit 1 to 6");
    }
    return context_.fail(file_, ErrorKind::kCurveOrPlanBeyond, std::nullopt, 1,
                         "the curve ends beyond 1000000 m of track plan");
  }
  return Flow::kNext;
}

Flow LineParser::read_mountain() {
  std::int32_t inizio = read_int32();
  std::int32_t fine = read_int32();
  std::int32_t tipo = read_int32();
  if (const auto refused = refuse_position(inizio)) return *refused;
  if (fine <= inizio) {
    sink_.report(file_.warning_at(file_.field_offset(1), WarningRule::kOutOfOrder,
                                  "end " + std::to_string(fine) + " is not after start " + std::to_string(inizio) +
                                      ": the stretch covers no cell of the route"));
  }
  memo_montagna(inizio, fine, tipo);
  return Flow::kNext;
}

Flow LineParser::read_speed_boards() {
  const std::int32_t posizione = read_int32();
  std::int32_t vas = read_int32();
  std::int32_t vbs = read_int32();
  std::int32_t vcs = read_int32();
  std::int32_t strisces = read_int32();
  std::int32_t vad = read_int32();
  std::int32_t vbd = read_int32();
  std::int32_t vcd = read_int32();
  std::int32_t strisced = read_int32();
  if (const auto refused = refuse_position(posizione)) return *refused;
  if (!memo_indicatori_v_max(posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced)) {
    const std::int64_t cell = board_cell(posizione);
    return context_.fail(file_, ErrorKind::kSpeedBoardsCellTaken, posizione, 0,
                "the cell of these maximum-speed boards at " + std::to_string(posizione) + " m (cell " +
                    std::to_string(cell) + ") is already taken",
                Flow::kEndCall, context_.holder_note(cell));
  }
  return Flow::kNext;
}

// The board's text runs to the line end and takes the keyword field's place.
// Texts fill the scenario table from entry 80 downward; entry 0 is never used.
Flow LineParser::read_indication_board() {
  const std::int32_t p = read_int32();
  model_.field_text = file_.text();
  if (const auto refused = refuse_position(p)) return *refused;
  RouteCell& cell = cell_in_bounds(board_cell(p), "an indication board before the start of the route");
  if (!is_free(cell)) {
    return context_.fail(file_, ErrorKind::kIndicationBoardCellTaken, p, 0,
                "the cell of this indication board at " + std::to_string(p) + " m (cell " +
                    std::to_string(board_cell(p)) + ") is already taken",
                Flow::kEndCall, context_.holder_note(board_cell(p)));
  }
  const std::int32_t entry = model_.next_board_entry;
  if (entry < 1)
    throw ReadingFailure("more than 80 indication boards: the scenario table has no room for this text", 1);
  context_.hold(board_cell(p), file_);
  cell.kind = kIndicationBoard;
  cell.param1 = low_bits<std::int16_t>(entry);
  model_.scenario_table[static_cast<std::size_t>(entry)].text = model_.field_text;
  model_.next_board_entry = entry - 1;
  return Flow::kNext;
}

RouteCell& LineParser::cell_in_bounds(std::int64_t index, const char* what) {
  if (!model_.cell_in_route(index)) throw ReadingFailure(what, 0);
  return model_.cell(index);
}

// Each gradient holds from its own cell up to the next record's cell. A
// record past cell 0 always lays down at least one cell, even when the fill
// position has already reached its cell.
void LineParser::gradient_step(std::int32_t p, std::int32_t g) {
  const std::int64_t n = round_div(p, kCellLength);
  if (n > 0) lay_gradients_until(n);
  previous_gradient_ = g;
}

// Lays at least one cell, then every cell before end.
void LineParser::lay_gradients_until(std::int64_t end) {
  run_profile_until(model_, gradient_fill_position_, end, &RouteCell::gradient, [this] { lay_previous_gradient(); });
}

// Writes cell by cell: the first cell beyond the route fails the reading.
void LineParser::lay_previous_gradient() {
  RouteCell& cell = cell_in_bounds(gradient_fill_position_, "a gradient beyond the end of the route");
  cell.gradient = low_bits<std::uint8_t>(std::int64_t{previous_gradient_} + 100);
  ++gradient_fill_position_;
}

// The last gradient runs on to three cells before the end of the route.
void LineParser::complete_gradient_profile() { lay_gradients_until(std::int64_t{model_.last_cell} - 2); }

void LineParser::memo_montagna(std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo) {
  if (model_.tunnel_count >= kTunnelSlots - 1) throw ReadingFailure("more than 80 mountain stretches", 0);
  const std::int64_t first = round_div(inizio, kCellLength);
  // A stretch running past the end of the route is cut at its last cell.
  const std::int64_t last =
      std::min<std::int64_t>(round_div(std::int64_t{fine} - kCellLength, kCellLength), model_.last_cell);
  if (first <= last) cell_in_bounds(first, "a mountain stretch before the start of the route");
  const bool markers = tipo > 10;
  if (markers) tipo -= 10;
  const std::int32_t m = ++model_.tunnel_count;
  model_.tunnel_starts[static_cast<std::size_t>(m)] = inizio;
  model_.tunnel_ends[static_cast<std::size_t>(m)] = fine;
  if (m > 1) {
    const std::int64_t gap = std::int64_t{model_.tunnel_starts[static_cast<std::size_t>(m)]} -
                             model_.tunnel_ends[static_cast<std::size_t>(m - 1)];
    if (gap <= kJoinedStretchGap) tipo = kJoinedStretchType;
  }
  fill_tunnel(first, last, tipo, markers);
}

// Writes the stretch type into its cells; with markers, every fourth cell
// counted from the first gets a tunnel marker where no object stands.
void LineParser::fill_tunnel(std::int64_t first, std::int64_t last, std::int32_t tipo, bool markers) {
  std::int64_t count = 1;
  for (std::int64_t index = first; index <= last; ++index, ++count) {
    RouteCell& cell = model_.cell(index);
    cell.tunnel = low_bits<std::uint8_t>(tipo);
    if (markers && count % 4 == 0 && cell.kind == kNoObject) cell.kind = kTunnelMarker;
  }
}

// Bounds and value ranges are checked before the cell is looked at, and the
// cell before anything is written, so a refused board writes nothing.
bool LineParser::memo_indicatori_v_max(std::int32_t posizione, std::int32_t& vas, std::int32_t& vbs,
                                       std::int32_t& vcs, std::int32_t& strisces, std::int32_t& vad,
                                       std::int32_t& vbd, std::int32_t& vcd, std::int32_t& strisced) {
  RouteCell& cell = cell_in_bounds(board_cell(posizione), "a speed board before the start of the route");
  const std::int16_t speeds_a = packed_speeds(vas, vad);
  const std::int16_t speeds_b = packed_speeds(vbs, vbd);
  const std::int16_t speeds_c = packed_speeds(vcs, vcd);
  if (!is_free(cell)) return false;
  context_.hold(board_cell(posizione), file_);
  cell.kind = kSpeedBoards;
  cell.param1 = speeds_a;
  cell.param2 = speeds_b;
  cell.param3 = speeds_c;
  cell.param4 = low_bits<std::int16_t>(std::int64_t{strisces} * 10 + strisced);
  return true;
}

// The ending after the last record or kBeyondRoute: the file goes, the last
// gradient runs on, the plan runs straight to its end.
Flow LineParser::finish_reading() {
  file_.close_and_delete();
  complete_gradient_profile();
  if (model_.full_compile != 0 && model_.track_plan.started()) finish_track_plan(model_.track_plan);
  return Flow::kNext;
}


}  // namespace compiler
