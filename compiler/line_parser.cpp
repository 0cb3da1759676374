#include "compiler/line_parser.h"

#include <algorithm>
#include <array>
#include <limits>

#include "compiler/rounding.h"
#include "compiler/text.h"
#include "compiler/track_plan.h"

namespace compiler {
namespace {

// A general-section keyword field may be preceded by up to this many fields
// holding a hyphen; in the record loop, by up to two.
constexpr int kGeneralHyphenSkips = 10;
constexpr int kRecordHyphenSkips = 2;
// Two mountain stretches this close (metres from one's end to the next one's
// start) or closer are one continuous stretch of type 3.
constexpr std::int64_t kJoinedStretchGap = 150;
constexpr std::int32_t kJoinedStretchType = 3;

constexpr int kTre = 81;
constexpr int kDue = 82;
constexpr int kUno = 83;

// The cell of a board standing at position: round(position / 50 + 1).
std::int64_t board_cell(std::int32_t position) { return round_div(std::int64_t{position} + 50, 50); }

// A keyword field that, blanks aside, does not begin with a hyphen and holds
// a bracketed name closes the general section.
bool ends_general_section(std::string_view field) {
  const std::size_t first = field.find_first_not_of(" \t");
  if (first != std::string_view::npos && field[first] == '-') return false;
  return contains(field, "[") && contains(field, "]");
}

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

HalfOutcome LineParser::run() {
  try {
    return read_line_file();
  } catch (const ReadingFailure&) {
    // The record being read is to blame; a failure while the last gradient
    // runs on, after the file is closed, has no record.
    error_source_ = file_.locate_failure();
    throw;
  }
}

HalfOutcome LineParser::read_line_file() {
  model_.scenario_table[kScenarioHeaderEntry].text = model_.scenario_id;
  model_.scenario_table[kTrainIdEntry].text = model_.train_id;
  if (!file_.exists()) {
    model_.error_code = 101;
    return HalfOutcome::kEndCall;
  }
  file_.open();
  if (!find_general_section()) {
    file_.close_and_delete();
    model_.error_code = 102;
    return HalfOutcome::kEndCall;
  }
  if (read_general_section() == Flow::kEndCall) return HalfOutcome::kEndCall;
  prepare_record_loop();
  if (read_records() == Flow::kEndCall) return HalfOutcome::kEndCall;
  return finish_reading();
}

void LineParser::read_keyword() {
  model_.field_text = reader().read_text();
  file_.mark_record();
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

LineParser::Flow LineParser::read_general_section() {
  for (;;) {
    if (reader().at_end()) return Flow::kNext;
    read_keyword();
    if (reader().at_end()) return Flow::kNext;
    skip_general_hyphen_fields();
    if (handle_general_record() == Flow::kEndCall) return Flow::kEndCall;
    if (ends_general_section(model_.field_text)) return Flow::kNext;
  }
}

void LineParser::skip_general_hyphen_fields() {
  for (int skipped = 0; skipped < kGeneralHyphenSkips && contains(model_.field_text, "-"); ++skipped) {
    read_keyword();
  }
}

// The general keywords are not exclusive: every test that matches reads its
// numbers before the next test is made. The length test ignores letter case,
// the others compare exactly.
LineParser::Flow LineParser::handle_general_record() {
  const std::string& keyword = model_.field_text;
  ScenarioEntry& backgrounds = model_.scenario_table[kScenarioHeaderEntry];
  if (contains_ignoring_case(keyword, "percorso") && contains_ignoring_case(keyword, "lunghezza")) {
    if (read_line_length() == Flow::kEndCall) return Flow::kEndCall;
  }
  if (contains(keyword, "tre") && contains(keyword, "progressiva")) read_chainage(kTre);
  if (contains(keyword, "due") && contains(keyword, "progressiva")) read_chainage(kDue);
  if (contains(keyword, "uno") && contains(keyword, "progressiva")) read_chainage(kUno);
  if (contains(keyword, "sfondo") && contains(keyword, "uno")) backgrounds.value1 = read_int32();
  if (contains(keyword, "sfondo") && contains(keyword, "due")) backgrounds.value3 = read_int32();
  if (contains(keyword, "sfondo") && contains(keyword, "tre")) backgrounds.value2 = read_int32();
  if (contains(keyword, "segnali") && contains(keyword, "ripetizione")) return read_signal_repetition();
  return Flow::kNext;
}

// Sizes the route (and the plan) afresh: a second length record loses what
// was written before it.
LineParser::Flow LineParser::read_line_length() {
  const std::int32_t length = read_int32();
  model_.scenario_table[kTrainHeaderEntry].value2 = length;
  if (length > kMaxLineLength) return stop_at_record(1);
  if (length < 0) throw ReadingFailure("a line length below 0");
  model_.size_route(length);
  if (model_.full_compile != 0) size_track_plan(model_);
  return Flow::kNext;
}

void LineParser::read_chainage(int entry) {
  ScenarioEntry& chainage = model_.scenario_table[entry];
  chainage.value1 = read_int32();
  chainage.value2 = read_int32();
  chainage.value3 = read_int32();
}

// The cab-signal repetition stretch; the keyword's digit names the code
// system, and an end of 0 means no repetition at all.
LineParser::Flow LineParser::read_signal_repetition() {
  ScenarioEntry& repetition = model_.scenario_table[kTrainIdEntry];
  repetition.value1 = read_int32();
  repetition.value2 = read_int32();
  if (repetition.value1 % 50 != 0) return stop_at_record(3);
  if (repetition.value2 % 50 != 0) return stop_at_record(4);
  if (contains(model_.field_text, "4")) {
    repetition.value3 = 4;
  } else if (contains(model_.field_text, "9")) {
    repetition.value3 = 9;
  } else {
    return stop_at_record(5);
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
  // Without a length record there is no plan to start; the first positioned
  // record then fails the reading.
  if (model_.full_compile != 0 && model_.track_plan.sized()) start_track_plan(model_.track_plan);
}

// The file's last field is never handled: the closing "[fine]" line takes
// that place.
LineParser::Flow LineParser::read_records() {
  for (;;) {
    if (reader().at_end()) return Flow::kLeaveLoop;
    read_keyword();
    if (reader().at_end()) return Flow::kLeaveLoop;
    if (!skip_record_hyphen_fields()) return Flow::kLeaveLoop;
    if (const Flow flow = handle_record(); flow != Flow::kNext) return flow;
  }
}

// False when the field read in place of a discarded one is the file's last.
bool LineParser::skip_record_hyphen_fields() {
  for (int skipped = 0; skipped < kRecordHyphenSkips && contains(model_.field_text, "-"); ++skipped) {
    read_keyword();
    if (reader().at_end()) return false;
  }
  return true;
}

// The record keywords are not exclusive either, and every test ignores
// letter case. Section headers match none and are passed over.
LineParser::Flow LineParser::handle_record() {
  const std::string keyword = model_.field_text;  // an indication board reads its text over it
  Flow flow = Flow::kNext;
  if (contains_ignoring_case(keyword, "pendenza")) flow = read_gradient();
  if (flow == Flow::kNext && model_.full_compile != 0 && contains_ignoring_case(keyword, "curva")) {
    flow = read_curve();
  }
  if (flow == Flow::kNext && contains_ignoring_case(keyword, "montagna")) flow = read_mountain();
  if (flow == Flow::kNext && contains_ignoring_case(keyword, "indicatori_v")) flow = read_speed_boards();
  if (flow == Flow::kNext && contains_ignoring_case(keyword, "indicat") &&
      contains_ignoring_case(keyword, "cartello")) {
    flow = read_indication_board();
  }
  return flow;
}

// Made on every positioned record right after its fields are read: a record
// needs a route, and one whose (position + 100) / 50 lies beyond the last
// cell ends the record loop with error 15. The comparison is exact.
LineParser::Flow LineParser::check_position(std::int32_t position) {
  if (!model_.route_sized()) throw ReadingFailure("a positioned record before the line length");
  if (std::int64_t{position} + 100 > std::int64_t{50} * model_.last_cell) {
    error_source_ = file_.locate_record();
    model_.record_error(15, position);
    return Flow::kLeaveLoop;
  }
  return Flow::kNext;
}

LineParser::Flow LineParser::read_gradient() {
  const std::int32_t p = read_int32();
  const std::int32_t g = read_int32();
  if (const Flow flow = check_position(p); flow != Flow::kNext) return flow;
  gradient_step(p, g);
  return Flow::kNext;
}

LineParser::Flow LineParser::read_curve() {
  const std::string keyword = model_.field_text;
  const std::int32_t p = read_int32();
  const std::int32_t n = read_int32();
  if (const Flow flow = check_position(p); flow != Flow::kNext) return flow;
  if (!curve_step(model_.track_plan, keyword, p, n)) return stop_at_record(103);
  return Flow::kNext;
}

LineParser::Flow LineParser::read_mountain() {
  std::int32_t inizio = read_int32();
  std::int32_t fine = read_int32();
  std::int32_t tipo = read_int32();
  if (const Flow flow = check_position(inizio); flow != Flow::kNext) return flow;
  memo_montagna(inizio, fine, tipo);
  return after_memo();
}

LineParser::Flow LineParser::read_speed_boards() {
  const std::int32_t posizione = read_int32();
  std::int32_t vas = read_int32();
  std::int32_t vbs = read_int32();
  std::int32_t vcs = read_int32();
  std::int32_t strisces = read_int32();
  std::int32_t vad = read_int32();
  std::int32_t vbd = read_int32();
  std::int32_t vcd = read_int32();
  std::int32_t strisced = read_int32();
  if (const Flow flow = check_position(posizione); flow != Flow::kNext) return flow;
  memo_indicatori_v_max(posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
  return after_memo();
}

// A storing routine records its error kind; the reading ends there.
LineParser::Flow LineParser::after_memo() {
  if (model_.error_code <= 0) return Flow::kNext;
  error_source_ = file_.locate_record();
  file_.close_and_delete();
  return Flow::kEndCall;
}

// The board's text runs to the line end and takes the keyword field's place.
// Texts fill the scenario table from entry 80 downward; entry 0 is never used.
LineParser::Flow LineParser::read_indication_board() {
  const std::int32_t p = read_int32();
  model_.field_text = reader().read_text();
  if (const Flow flow = check_position(p); flow != Flow::kNext) return flow;
  RouteCell& cell = cell_in_bounds(board_cell(p), "an indication board before the start of the route");
  if (!is_free(cell)) return stop_at_record(6, p);
  const std::int32_t entry = model_.next_board_entry;
  if (entry < 1) throw ReadingFailure("more than 80 indication boards");
  cell.kind = kIndicationBoard;
  cell.param1 = low_bits<std::int16_t>(entry);
  model_.scenario_table[static_cast<std::size_t>(entry)].text = model_.field_text;
  model_.next_board_entry = entry - 1;
  return Flow::kNext;
}

RouteCell& LineParser::cell_in_bounds(std::int64_t index, const char* what) {
  if (!model_.cell_in_route(index)) throw ReadingFailure(what);
  return model_.cell(index);
}

// Each gradient holds from its own cell up to the next record's cell. A
// record past cell 0 always lays down at least one cell, even when the fill
// position has already reached its cell.
void LineParser::gradient_step(std::int32_t p, std::int32_t g) {
  const std::int64_t n = round_div(p, 50);
  if (n > 0) {
    do {
      lay_previous_gradient();
    } while (gradient_fill_position_ < n);
  }
  previous_gradient_ = g;
}

// Writes cell by cell: the first cell beyond the route fails the reading.
void LineParser::lay_previous_gradient() {
  RouteCell& cell = cell_in_bounds(gradient_fill_position_, "a gradient beyond the end of the route");
  cell.gradient = low_bits<std::uint8_t>(std::int64_t{previous_gradient_} + 100);
  ++gradient_fill_position_;
}

// The last gradient runs on to three cells before the end of the route.
void LineParser::complete_gradient_profile() {
  do {
    lay_previous_gradient();
  } while (gradient_fill_position_ < std::int64_t{model_.last_cell} - 2);
}

void LineParser::memo_montagna(std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo) {
  if (model_.tunnel_count >= kTunnelSlots - 1) throw ReadingFailure("more than 80 mountain stretches");
  const std::int64_t first = round_div(inizio, 50);
  // A stretch running past the end of the route is cut at its last cell.
  const std::int64_t last = std::min<std::int64_t>(round_div(std::int64_t{fine} - 50, 50), model_.last_cell);
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
void LineParser::memo_indicatori_v_max(std::int32_t posizione, std::int32_t& vas, std::int32_t& vbs,
                                       std::int32_t& vcs, std::int32_t& strisces, std::int32_t& vad,
                                       std::int32_t& vbd, std::int32_t& vcd, std::int32_t& strisced) {
  RouteCell& cell = cell_in_bounds(board_cell(posizione), "a speed board before the start of the route");
  const std::int16_t speeds_a = packed_speeds(vas, vad);
  const std::int16_t speeds_b = packed_speeds(vbs, vbd);
  const std::int16_t speeds_c = packed_speeds(vcs, vcd);
  if (!is_free(cell)) {
    model_.record_error(21, posizione);
    return;
  }
  cell.kind = kSpeedBoards;
  cell.param1 = speeds_a;
  cell.param2 = speeds_b;
  cell.param3 = speeds_c;
  cell.param4 = low_bits<std::int16_t>(std::int64_t{strisces} * 10 + strisced);
}

// The ending after the last record or error 15: the file goes, the last
// gradient runs on, the plan runs straight to its end.
HalfOutcome LineParser::finish_reading() {
  file_.close_and_delete();
  complete_gradient_profile();
  if (model_.full_compile != 0 && model_.track_plan.started()) finish_track_plan(model_.track_plan);
  return HalfOutcome::kGoOn;
}

LineParser::Flow LineParser::stop_at_record(std::int32_t kind) {
  error_source_ = file_.locate_record();
  file_.close_and_delete();
  model_.error_code = kind;
  return Flow::kEndCall;
}

LineParser::Flow LineParser::stop_at_record(std::int32_t kind, std::int32_t position) {
  model_.error_position = position;
  return stop_at_record(kind);
}

}  // namespace compiler
