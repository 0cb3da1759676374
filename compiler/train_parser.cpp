#include "compiler/train_parser.h"

#include <algorithm>

#include "compiler/rounding.h"
#include "compiler/text.h"

namespace compiler {
namespace {

constexpr std::int64_t kCellLength = 50;
// Room a positioned record must leave before the route's last cell.
constexpr std::int64_t kRecordMargin = 100;
constexpr std::int64_t kStationMargin = 800;
// Least distance from one station's stretch end to the next one's start.
constexpr std::int64_t kStationGap = 350;
// Station kinds from here on get no stop cell and no markers.
constexpr std::uint8_t kStationKindWithoutCells = 25;
// A slowdown starting this far from the line start or closer has no warning
// board; the warning board stands this far before the start.
constexpr std::int64_t kWarningThreshold = 1500;
constexpr std::int64_t kWarningDistance = 1200;
constexpr std::int32_t kLoweredSignalTime = 101;
constexpr int kApproachCells = 4;

bool is_multiple(std::int64_t value, std::int64_t step) { return value % step == 0; }

// The cell of a station's approach marker j (1 .. 4) before its stop cell,
// when it lies after cell 1.
std::optional<std::int64_t> station_marker_cell(std::int64_t stretch_end, int j) {
  const std::int64_t metres = stretch_end - kCellLength * (1 + j);
  if (metres <= kCellLength) return std::nullopt;
  return round_div(metres, kCellLength);
}

}  // namespace

void TrainParser::run() {
  try {
    read_train_file();
  } catch (const ReadingFailure&) {
    // The record being read is to blame; a failure while completing the
    // profiles, after the file is closed, has no record.
    error_source_ = file_.locate_failure();
    file_.close_and_delete();
    throw;
  } catch (...) {
    file_.close_and_delete();
    throw;
  }
}

void TrainParser::read_train_file() {
  if (!model_.route_sized()) {
    // The line gave no route: the compile stops for want of one, and there
    // is nothing to store the train into.
    file_.close_and_delete();
    return;
  }
  file_.open();
  const Next ending = find_general_section() ? read_records() : Next::kLeaveLoop;
  file_.close_and_delete();
  if (ending == Next::kEndReading) return;
  complete_profiles();
  check_chainage();
}

// Everything before the first "[generale]" field is ignored.
bool TrainParser::find_general_section() {
  FieldReader& reader = file_.reader();
  while (!reader.at_end()) {
    model_.field_text = reader.read_text();
    if (contains_ignoring_case(model_.field_text, "[generale]")) return true;
  }
  return false;
}

// kLeaveLoop at the end of the file or on error 15, kEndReading on any other
// recorded error.
TrainParser::Next TrainParser::read_records() {
  for (;;) {
    const std::optional<std::string> keyword = read_keyword();
    if (!keyword) return Next::kLeaveLoop;
    const Next next = handle_record(*keyword);
    if (next != Next::kGoOn) return next;
  }
}

// The keyword field of the next record, or nothing when the file ends: the
// last field of the file is never handled. A ruler line of dashes may stand
// between records, so up to two fields holding "-" are passed over.
std::optional<std::string> TrainParser::read_keyword() {
  FieldReader& reader = file_.reader();
  if (reader.at_end()) return std::nullopt;
  std::string field = reader.read_text();
  for (int passed_over = 0;; ++passed_over) {
    if (reader.at_end()) return std::nullopt;
    if (passed_over == 2 || !contains(field, "-")) break;
    field = reader.read_text();
  }
  file_.mark_record();
  model_.field_text = field;
  return field;
}

// The ten keyword tests in their order. They do not exclude one another:
// every test that matches reads its own numbers.
TrainParser::Next TrainParser::handle_record(const std::string& keyword) {
  auto has = [&keyword](std::string_view word) { return contains_ignoring_case(keyword, word); };
  using Handler = Next (TrainParser::*)();
  const struct {
    bool matches;
    Handler handler;
  } tests[] = {
      {has("frenata") && has("massa"), &TrainParser::read_braked_mass},
      {has("vetture"), &TrainParser::read_cars},
      {has("velocit"), &TrainParser::read_speed_step},
      {has("aderenza"), &TrainParser::read_adhesion_step},
      {has("orologio"), &TrainParser::read_clock},
      {has("sabbia"), &TrainParser::read_sand},
      {has("segnale"), &TrainParser::read_signal},
      {has("rallentamento"), &TrainParser::read_slowdown},
      {has("abbattimento"), &TrainParser::read_lowering},
      {has("stazione"), &TrainParser::read_station},
  };
  for (const auto& test : tests) {
    if (!test.matches) continue;
    const Next next = (this->*test.handler)();
    if (next != Next::kGoOn) return next;
  }
  return Next::kGoOn;
}

TrainParser::Next TrainParser::read_braked_mass() {
  model_.scenario_table[kTrainHeaderEntry].value1 = file_.reader().read_int32();
  return Next::kGoOn;
}

TrainParser::Next TrainParser::read_cars() {
  model_.scenario_table[kTrainHeaderEntry].value3 = file_.reader().read_int32();
  return Next::kGoOn;
}

TrainParser::Next TrainParser::read_clock() {
  FieldReader& reader = file_.reader();
  ScenarioEntry& entry = model_.scenario_table[kTrainIdEntry];
  entry.word3 = reader.read_int16();
  entry.word4 = reader.read_int16();
  entry.word5 = reader.read_int16();
  return Next::kGoOn;
}

TrainParser::Next TrainParser::read_sand() {
  model_.scenario_table[kTrainIdEntry].word1 = file_.reader().read_int16();
  return Next::kGoOn;
}

// A profile record's value holds from its own cell on: the previous value is
// laid down up to that cell first.
TrainParser::Next TrainParser::read_speed_step() {
  FieldReader& reader = file_.reader();
  const std::int32_t position = reader.read_int32();
  const std::int32_t speed = reader.read_int32();
  if (beyond_route(position, kRecordMargin)) return record_error(15, position, Next::kLeaveLoop);
  lay_speed_up_to(round_div(position, kCellLength));
  previous_speed_ = speed;
  return Next::kGoOn;
}

TrainParser::Next TrainParser::read_adhesion_step() {
  FieldReader& reader = file_.reader();
  const std::int32_t position = reader.read_int32();
  const std::int32_t adhesion = reader.read_int32();
  if (beyond_route(position, kRecordMargin)) return record_error(15, position, Next::kLeaveLoop);
  lay_adhesion_up_to(round_div(position, kCellLength));
  previous_adhesion_ = adhesion;
  return Next::kGoOn;
}

// At least one cell is laid whenever the record's cell is above 0, even when
// the fill has already passed it. Speeds never reach the last cell here.
void TrainParser::lay_speed_up_to(std::int64_t cell) {
  if (cell <= 0) return;
  do {
    lay_speed();
  } while (speed_fill_ < cell && speed_fill_ < model_.last_cell);
}

void TrainParser::lay_adhesion_up_to(std::int64_t cell) {
  if (cell <= 0) return;
  do {
    lay_adhesion();
  } while (adhesion_fill_ < cell);
}

void TrainParser::lay_speed() {
  require_in_route(speed_fill_);
  const std::int64_t stored = round_div(previous_speed_, 5);
  if (stored < 0 || stored > UINT8_MAX) throw ReadingFailure("speed limit does not fit its byte");
  model_.cell(speed_fill_).speed_limit = static_cast<std::uint8_t>(stored);
  ++speed_fill_;
}

void TrainParser::lay_adhesion() {
  require_in_route(adhesion_fill_);
  model_.cell(adhesion_fill_).adhesion = low_bits<std::uint8_t>(previous_adhesion_);
  ++adhesion_fill_;
}

// The last values run on to three cells before the route's end; those last
// three cells keep what a record gave them.
void TrainParser::complete_profiles() {
  const std::int64_t end = std::int64_t{model_.last_cell} - 2;
  do {
    lay_speed();
  } while (speed_fill_ < end);
  do {
    lay_adhesion();
  } while (adhesion_fill_ < end);
}

// The line's three chainage entries must start and end on the 50 m grid.
void TrainParser::check_chainage() {
  for (const int index : kChainageEntries) {
    const ScenarioEntry& entry = model_.scenario_table[index];
    if (!is_multiple(entry.value1, kCellLength) || !is_multiple(entry.value2, kCellLength)) {
      model_.error_code = 2;
      error_source_.reset();  // the line's records are to blame, not a train record
      return;
    }
  }
}

TrainParser::Next TrainParser::read_signal() {
  FieldReader& reader = file_.reader();
  const std::int32_t posizione = reader.read_int32();
  std::int32_t values[10];
  for (std::int32_t& value : values) value = reader.read_int32();
  auto& [sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo] = values;
  if (beyond_route(posizione, kRecordMargin)) return record_error(15, posizione, Next::kLeaveLoop);
  if (!memo_segnale(posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo)) return Next::kEndReading;
  return Next::kGoOn;
}

bool TrainParser::memo_segnale(std::int32_t posizione, std::int32_t& sx, std::int32_t& s1,
                               std::int32_t& s2, std::int32_t& s3, std::int32_t& rapp,
                               std::int32_t& dx, std::int32_t& d1, std::int32_t& d2,
                               std::int32_t& d3, std::int32_t& tempo) {
  const std::int64_t c = round_div(std::int64_t{posizione} + kCellLength, kCellLength);
  // The signal and its markers 100, 200, 300 and 400 m before it.
  for (int j = 0; j <= kApproachCells; ++j) require_in_route(c - 2 * j);
  RouteCell& cell = model_.cell(c);
  if (!is_free(cell)) {
    record_error(16, posizione, Next::kEndReading);
    return false;
  }
  // Left group in the tens, right group in the units of each packed value.
  const std::int64_t groups = std::int64_t{sx} * 3 + dx;
  cell.kind = kSignal;
  cell.param4 = low_bits<std::int16_t>(std::int64_t{rapp} * 10 + groups);
  cell.param1 = low_bits<std::int16_t>(std::int64_t{s1} * 10 + d1);
  cell.param2 = low_bits<std::int16_t>(std::int64_t{s2} * 10 + d2);
  cell.param3 = low_bits<std::int16_t>(std::int64_t{s3} * 10 + d3);
  if (tempo >= 1 && tempo <= 100) tempo = kLoweredSignalTime;
  cell.param5 = sx == 2 ? low_bits<std::uint8_t>(tempo) : std::uint8_t{0};
  for (int j = 1; j <= kApproachCells; ++j) {
    model_.cell(c - 2 * j).marker = low_bits<std::uint8_t>(groups * 10 + j);
  }
  return true;
}

TrainParser::Next TrainParser::read_slowdown() {
  FieldReader& reader = file_.reader();
  const std::int32_t x = reader.read_int32();
  std::int32_t v = reader.read_int32();
  std::int32_t l = reader.read_int32();
  std::int32_t f_tt = reader.read_int32();
  const std::int32_t f_ta = reader.read_int32();
  std::int32_t d_v = reader.read_int32();
  if (beyond_route(x, kRecordMargin)) return record_error(15, x, Next::kLeaveLoop);
  if (!memo_rallentamento(x, v, l, f_tt, f_ta, d_v)) return Next::kEndReading;
  return Next::kGoOn;
}

bool TrainParser::memo_rallentamento(std::int32_t x, std::int32_t& v, std::int32_t& l,
                                     std::int32_t& f_tt, std::int32_t f_ta, std::int32_t& d_v) {
  const bool warned = x > kWarningThreshold;
  if (!warned) f_ta = 0;
  const std::int64_t warning = round_div(x - kWarningDistance + kCellLength, kCellLength);
  const std::int64_t start = round_div(x + kCellLength, kCellLength);
  const std::int64_t end = round_div(std::int64_t{x} + l + kCellLength, kCellLength);
  const std::int64_t boards = round_div(x - kWarningDistance, kCellLength);
  require_in_route(start);
  require_in_route(end);
  if (warned) require_in_route(warning);
  for (int i = 0; f_ta != 0 && i < kApproachCells; ++i) require_in_route(boards - i);

  const auto refuse = [&](std::int32_t kind) {
    record_error(kind, x, Next::kEndReading);
    return false;
  };
  if (warned && !is_free(model_.cell(warning))) return refuse(17);
  if (!is_free(model_.cell(start))) return refuse(18);
  if (!is_free(model_.cell(end))) return refuse(19);
  write_slowdown(start, end, warned ? std::optional{warning} : std::nullopt, v, f_tt, d_v);
  // The approach boards come last: when they collide, the slowdown stays.
  if (f_ta != 0 && !place_approach_boards(boards, d_v)) return refuse(20);
  return true;
}

void TrainParser::write_slowdown(std::int64_t start, std::int64_t end, std::optional<std::int64_t> warning,
                                 std::int32_t v, std::int32_t f_tt, std::int32_t d_v) {
  // The end first, then the start: a slowdown too short to leave its start
  // cell keeps the start's kind there.
  for (const auto& [index, kind] : {std::pair{end, kSlowdownEnd}, std::pair{start, kSlowdownStart}}) {
    model_.cell(index).kind = kind;
    if (d_v != 0) model_.cell(index).param2 = low_bits<std::int16_t>(d_v);
  }
  if (warning) {
    RouteCell& board = model_.cell(*warning);
    board.kind = kSlowdownWarning;
    if (d_v != 0) board.param2 = low_bits<std::int16_t>(d_v);
    board.param1 = low_bits<std::int16_t>(v);
  }
  for (const std::int64_t index : {start, end}) {
    model_.cell(index).param1 = low_bits<std::int16_t>(v);
    model_.cell(index).param3 = low_bits<std::int16_t>(f_tt);
  }
}

// Four boards numbered 1 to 4 from first backwards; all four cells must be free.
bool TrainParser::place_approach_boards(std::int64_t first, std::int32_t d_v) {
  for (int i = 0; i < kApproachCells; ++i) {
    if (!is_free(model_.cell(first - i))) return false;
  }
  for (int i = 0; i < kApproachCells; ++i) {
    RouteCell& board = model_.cell(first - i);
    board.kind = kSlowdownApproach;
    board.param1 = low_bits<std::int16_t>(i + 1);
    if (d_v != 0) board.param2 = low_bits<std::int16_t>(i + 1);
  }
  return true;
}

TrainParser::Next TrainParser::read_lowering() {
  FieldReader& reader = file_.reader();
  const std::int32_t position = reader.read_int32();
  const std::int32_t value = reader.read_int32();
  if (beyond_route(position, kRecordMargin)) return record_error(15, position, Next::kLeaveLoop);
  const std::int64_t index = round_div(position, kCellLength);
  require_in_route(index);
  RouteCell& cell = model_.cell(index);
  if (!is_free(cell)) return record_error(7, position, Next::kEndReading);
  if (value > 0) {
    cell.kind = kLoweringPoint;
    cell.param1 = low_bits<std::int16_t>(value);
  } else {
    cell.kind = kLoweringOther;
  }
  return Next::kGoOn;
}

// One station into entry k of the scenario table, with its stop cell and
// approach markers.
TrainParser::Next TrainParser::read_station() {
  // A station never takes an entry that holds a board text.
  if (station_ > std::min(model_.next_board_entry, kFirstBoardEntry)) {
    return record_error_kind(10, Next::kEndReading);
  }
  FieldReader& reader = file_.reader();
  ScenarioEntry& entry = model_.scenario_table[station_];
  entry.value3 = reader.read_int32();
  const std::int32_t position = entry.value3;
  if (beyond_route(position, kStationMargin)) return record_error(15, position, Next::kLeaveLoop);
  if (!is_multiple(position, kCellLength)) return record_error(8, position, Next::kEndReading);
  entry.code = reader.read_byte();
  const std::int32_t length = reader.read_int32();
  if (!is_multiple(length, 100)) return record_error(9, position, Next::kEndReading);
  read_station_columns(entry);
  set_station_stretch(entry, length);
  if (length < 600) entry.byte4 = 0;
  if (station_ == 1) {
    entry.byte3 = 0;
    entry.byte4 = 0;
  }
  if (entry.code < kStationKindWithoutCells) {
    const Next next = place_station_cells(entry);
    if (next != Next::kGoOn) return next;
  }
  return check_station_order(entry);
}

// Columns 4 to 17: carried into the entry, the time of day as seconds.
void TrainParser::read_station_columns(ScenarioEntry& entry) {
  FieldReader& reader = file_.reader();
  entry.flag = reader.read_byte();
  entry.byte4 = reader.read_byte();
  entry.byte3 = reader.read_byte();
  entry.word1 = reader.read_int16();
  entry.word2 = reader.read_int16();
  entry.byte1 = reader.read_byte();
  entry.word3 = reader.read_int16();
  entry.word4 = reader.read_int16();
  entry.word5 = reader.read_int16();
  entry.byte2 = reader.read_byte();
  const std::int64_t hours = reader.read_int32();
  const std::int64_t minutes = reader.read_int32();
  const std::int64_t seconds = reader.read_int32();
  entry.seconds = low_bits<std::int32_t>(hours * 3600 + minutes * 60 + seconds);
  entry.text = reader.read_text();
}

// The stretch the station covers, from its position, length and kind; byte3
// (the end extension flag) lengthens ordinary stations by 50 m.
void TrainParser::set_station_stretch(ScenarioEntry& entry, std::int64_t length) {
  const std::int64_t position = entry.value3;
  switch (entry.code) {
    case 5:
    case 6:
      entry.value1 = low_bits<std::int32_t>(position - length);
      entry.value2 = low_bits<std::int32_t>(position + 150);
      entry.byte3 = 0;
      break;
    case 7:
    case 8:
      entry.value1 = low_bits<std::int32_t>(position - length);
      entry.value2 = low_bits<std::int32_t>(position + length);
      entry.byte3 = 0;
      break;
    default: {
      const std::int64_t extension = entry.byte3 != 0 ? kCellLength : 0;
      entry.value1 = low_bits<std::int32_t>(round_div(2 * position - length, 2));
      entry.value2 = low_bits<std::int32_t>(round_div(2 * position + length + 2 * extension, 2));
    }
  }
}

// The stop cell, one before the stretch's end, and (but for kinds 5 and 6)
// the four markers before it. Written over whatever the cells hold.
TrainParser::Next TrainParser::place_station_cells(const ScenarioEntry& entry) {
  const std::int64_t stretch_end = entry.value2;
  if (stretch_end - kCellLength <= kCellLength) return record_error_kind(24, Next::kEndReading);
  const std::int64_t stop = round_div(stretch_end - kCellLength, kCellLength);
  const bool with_markers = entry.code != 5 && entry.code != 6;
  require_in_route(stop);
  for (int j = 1; with_markers && j <= kApproachCells; ++j) {
    if (const auto marker = station_marker_cell(stretch_end, j)) require_in_route(*marker);
  }
  for (int j = 1; with_markers && j <= kApproachCells; ++j) {
    if (const auto marker = station_marker_cell(stretch_end, j)) {
      model_.cell(*marker).marker = low_bits<std::uint8_t>(80 + j);
    }
  }
  RouteCell& cell = model_.cell(stop);
  cell.kind = kStationStop;
  cell.param1 = low_bits<std::int16_t>(station_);
  return Next::kGoOn;
}

// Stations come in increasing order with room between them, and stay below
// the board texts.
TrainParser::Next TrainParser::check_station_order(const ScenarioEntry& entry) {
  if (station_ > 1 &&
      std::int64_t{entry.value1} - kStationGap < model_.scenario_table[station_ - 1].value2) {
    return record_error(22, entry.value3, Next::kEndReading);
  }
  ++station_;
  if (station_ >= std::min(model_.next_board_entry, kFirstBoardEntry)) {
    return record_error_kind(10, Next::kEndReading);
  }
  return Next::kGoOn;
}

bool TrainParser::beyond_route(std::int64_t position, std::int64_t margin) const {
  return position + margin > kCellLength * model_.last_cell;
}

void TrainParser::require_in_route(std::int64_t cell) const {
  if (!model_.cell_in_route(cell)) throw ReadingFailure("a cell outside the route");
}

TrainParser::Next TrainParser::record_error(std::int32_t kind, std::int32_t position, Next next) {
  model_.record_error(kind, position);
  error_source_ = file_.locate_record();
  return next;
}

TrainParser::Next TrainParser::record_error_kind(std::int32_t kind, Next next) {
  model_.error_code = kind;
  error_source_ = file_.locate_record();
  return next;
}

}  // namespace compiler
