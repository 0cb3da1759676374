#include "compiler/train_parser.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/rounding.h"
#include "reading/error_kinds.h"
#include "reading/text.h"

namespace compiler {
namespace {

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
// A speed limit is stored divided by 5, rounded, in one byte.
constexpr std::int32_t kLowestSpeed = -2;
constexpr std::int32_t kHighestSpeed = 1277;

bool is_multiple(std::int64_t value, std::int64_t step) { return value % step == 0; }

// The cell of a station's approach marker j (1 .. 4) before its stop cell,
// when it lies after cell 1.
std::optional<std::int64_t> station_marker_cell(std::int64_t stretch_end, int j) {
  const std::int64_t metres = stretch_end - kCellLength * (1 + j);
  if (metres <= kCellLength) return std::nullopt;
  return round_div(metres, kCellLength);
}

// A speed fits when its stored value, divided by 5 and rounded, fits the byte.
bool speed_fits(std::int32_t speed) { return speed >= kLowestSpeed && speed <= kHighestSpeed; }

std::string speed_problem(std::int32_t speed) {
  if (speed > kHighestSpeed) return "speed " + std::to_string(speed) + " is above " + std::to_string(kHighestSpeed);
  return "speed " + std::to_string(speed) + " is below " + std::to_string(kLowestSpeed);
}

std::string metres(std::int64_t position) { return std::to_string(position) + " m"; }

// A time of day in seconds as hh:mm:ss.
std::string clock_text(std::int64_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

// The fields of a station record that the warnings point at.
constexpr std::size_t kStationHoursField = 13;
constexpr std::size_t kStationNameField = 16;

}  // namespace

void TrainParser::run() {
  try {
    read_train_file();
  } catch (const ReadingFailure& failure) {
    // Outside any record: while completing the profiles, after the file is
    // read; a speed is blamed on the record that gave it.
    sink_.report(reading_failure_diagnostic(file_, failure));
    file_.close_and_delete();
    throw ReadingEnded{};
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
  if (!file_.readable()) {
    const std::string why = file_.exists() ? "the train description cannot be read: " + file_.source().reason
                                           : "the train description file does not exist";
    sink_.report(file_.diagnostic_for_file(Severity::kError, ErrorKind::kReadingFailure, why));
    throw ReadingEnded{};
  }
  file_.open();
  warn_utf8_lines(file_, sink_);
  const bool has_section = find_general_section();
  if (!has_section) {
    sink_.report(file_.warning_for_file(WarningRule::kMissingSection,
                                        file_.source().bytes.empty()
                                            ? "the train description is empty: the train has no record"
                                            : "the train description has no [generale] section: none of its "
                                              "records is read"));
  }
  const Flow ending = has_section ? read_records() : Flow::kLeaveLoop;
  file_.close_and_delete();
  if (ending == Flow::kEndCall) return;
  // A file without its section has been told about once.
  if (station_ == 1 && !too_many_stations_ && has_section) {
    sink_.report(file_.warning_for_file(WarningRule::kNoStation,
                                        "the train description has no station: the scenario has no stop"));
  }
  if (!previous_speed_position_ && has_section) {
    sink_.report(file_.warning_for_file(WarningRule::kProfileStart,
                                        "the train description has no speed limit: the whole route keeps a limit "
                                        "of 0 km/h"));
  }
  complete_profiles();
  check_chainage();
  warn_slowdowns_above_limit();
  warn_tight_schedule();
}

void TrainParser::warn_profile_start(std::int64_t position, const char* what, const char* zero) {
  const std::int64_t cell = round_div(position, kCellLength);
  if (cell <= 0) return;
  sink_.report(file_.warning_at(file_.field_offset(0), WarningRule::kProfileStart,
                                "the first " + std::string(what) + " stands at " + std::to_string(position) +
                                    " m: up to there (cells 0 to " + std::to_string(cell - 1) +
                                    ") the route keeps " + zero + "; give a record at position 0"));
}

namespace {

// A run time as minutes and seconds, "1:48".
std::string run_time_text(std::int64_t seconds) {
  const std::int64_t s = seconds % 60;
  return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

}  // namespace

void TrainParser::warn_slowdowns_above_limit() {
  for (const Slowdown& slowdown : slowdowns_) {
    const std::int64_t cell = round_div(slowdown.position, kCellLength);
    if (!model_.cell_in_route(cell) || slowdown.speed < 0) continue;
    const std::int64_t limit = std::int64_t{model_.cell(cell).speed_limit} * 5;
    if (limit == 0 || slowdown.speed < limit) continue;
    sink_.report(file_.warning_at(slowdown.speed_offset, WarningRule::kOutOfRange,
                                  "speed " + std::to_string(slowdown.speed) +
                                      " km/h is not below the line's limit of " + std::to_string(limit) +
                                      " km/h where the slowdown starts: it slows nothing"));
  }
}

void TrainParser::warn_tight_schedule() {
  for (std::size_t i = 1; i < timed_stations_.size(); ++i) {
    const TimedStation& from = timed_stations_[i - 1];
    const TimedStation& to = timed_stations_[i];
    // Times that run backwards and stations out of order are told apart.
    if (to.seconds <= from.seconds || to.position <= from.position) continue;
    // 50 m at a limit of 5 s km/h (the byte s) take 36 / s seconds.
    double fastest = 0;
    bool stopped = false;
    for (std::int64_t cell = from.position / kCellLength; cell < to.position / kCellLength; ++cell) {
      if (!model_.cell_in_route(cell)) break;
      const std::uint8_t limit = model_.cell(cell).speed_limit;
      if (limit == 0) {
        stopped = true;  // a limit of 0 km/h is told as the profile's start
        break;
      }
      fastest += 36.0 / limit;
    }
    const std::int64_t given = std::int64_t{to.seconds} - from.seconds;
    if (stopped || static_cast<double>(given) >= fastest) continue;
    sink_.report(file_.warning_at(
        to.time_offset, WarningRule::kScheduleTooTight,
        "the timetable gives " + run_time_text(given) + " from '" + quoted_field(from.name) + "' (" +
            clock_text(from.seconds) + "), " + std::to_string(to.position - from.position) +
            " m before this station; at the line's speed limits the run takes at least " +
            run_time_text(static_cast<std::int64_t>(std::ceil(fastest)))));
  }
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

// kLeaveLoop at the end of the file or on kBeyondRoute, kEndCall on any other
// recorded error. A ruler line of dashes may stand between records.
Flow TrainParser::read_records() {
  return read_record_loop(file_, context_, model_, kTrainHyphenSkips,
                          [this](const std::string& keyword) { return handle_record(keyword); });
}

// The ten keyword tests in their order. They do not exclude one another:
// every test that matches reads its own numbers.
Flow TrainParser::handle_record(const std::string& keyword) {
  return dispatch_record(file_, RecordGroup::kTrain, keyword, watch_, sink_, [&](const RecordSpec& spec) {
    switch (spec.id) {
      case RecordId::kBrakedMass:
        return read_braked_mass();
      case RecordId::kCars:
        return read_cars();
      case RecordId::kSpeedLimit:
        return read_speed_step();
      case RecordId::kAdhesion:
        return read_adhesion_step();
      case RecordId::kClock:
        return read_clock();
      case RecordId::kSand:
        return read_sand();
      case RecordId::kSignal:
        return read_signal();
      case RecordId::kSlowdown:
        return read_slowdown();
      case RecordId::kLowering:
        return read_lowering();
      case RecordId::kStation:
        return read_station();
      default:
        return Flow::kNext;
    }
  });
}

Flow TrainParser::read_braked_mass() {
  model_.scenario_table[kTrainHeaderEntry].value1 = file_.int32();
  return Flow::kNext;
}

Flow TrainParser::read_cars() {
  model_.scenario_table[kTrainHeaderEntry].value3 = file_.int32();
  return Flow::kNext;
}

Flow TrainParser::read_clock() {
  ScenarioEntry& entry = model_.scenario_table[kTrainIdEntry];
  entry.word3 = file_.int16();
  entry.word4 = file_.int16();
  entry.word5 = file_.int16();
  return Flow::kNext;
}

Flow TrainParser::read_sand() {
  model_.scenario_table[kTrainIdEntry].word1 = file_.int16();
  return Flow::kNext;
}

// A profile record's value holds from its own cell on: the previous value is
// laid down up to that cell first.
Flow TrainParser::read_speed_step() {
  const std::int32_t position = file_.int32();
  const std::int32_t speed = file_.int32();
  if (const auto refused = context_.refuse_position(file_, model_, position, kRecordMargin)) return *refused;
  if (previous_speed_position_) {
    warn_out_of_order(file_, sink_, position, *previous_speed_position_, "speed limit", speed_fill_);
  } else {
    warn_profile_start(position, "speed limit", "a limit of 0 km/h");
  }
  previous_speed_position_ = position;
  // A speed that does not fit its byte is an error only once it is laid
  // down: a later record for the same cell replaces it before that.
  lay_speed_up_to(round_div(position, kCellLength));
  previous_speed_ = speed;
  previous_speed_field_ = file_.field_offset(1);
  if (speed_fits(speed)) {
    fitting_speed_ = speed;
    fitting_speed_field_ = previous_speed_field_;
  }
  return Flow::kNext;
}

Flow TrainParser::read_adhesion_step() {
  const std::int32_t position = file_.int32();
  const std::int32_t adhesion = file_.int32();
  if (const auto refused = context_.refuse_position(file_, model_, position, kRecordMargin)) return *refused;
  if (previous_adhesion_position_) {
    warn_out_of_order(file_, sink_, position, *previous_adhesion_position_, "adhesion", adhesion_fill_);
  } else {
    warn_profile_start(position, "adhesion value", "an adhesion of 0");
  }
  previous_adhesion_position_ = position;
  lay_adhesion_up_to(round_div(position, kCellLength));
  previous_adhesion_ = adhesion;
  return Flow::kNext;
}

// At least one cell is laid whenever the record's cell is above 0, even when
// the fill has already passed it. Speeds never reach the last cell here.
void TrainParser::lay_speed_up_to(std::int64_t cell) {
  if (cell <= 0) return;
  lay_speeds_until(std::min<std::int64_t>(cell, model_.last_cell));
}

void TrainParser::lay_adhesion_up_to(std::int64_t cell) {
  if (cell <= 0) return;
  lay_adhesions_until(cell);
}

void TrainParser::lay_speeds_until(std::int64_t end) {
  run_profile_until(model_, speed_fill_, end, &RouteCell::speed_limit, [this] { lay_speed(); });
}

void TrainParser::lay_adhesions_until(std::int64_t end) {
  run_profile_until(model_, adhesion_fill_, end, &RouteCell::adhesion, [this] { lay_adhesion(); });
}

void TrainParser::lay_speed() {
  if (!model_.cell_in_route(speed_fill_)) throw ReadingFailure("the speed limits run beyond the end of the route");
  if (!speed_fits(previous_speed_)) {
    const ReadingFailure failure =
        previous_speed_field_ ? ReadingFailure::at_offset(speed_problem(previous_speed_), *previous_speed_field_)
                              : ReadingFailure(speed_problem(previous_speed_));
    // The compile stops here. The check reports the same error where the
    // compile would, and lays the last speed that fits in its place, so
    // that the record is passed over and the next ones are read as usual.
    if (!context_.sink.goes_on_after_errors()) throw failure;
    sink_.report(reading_failure_diagnostic(file_, failure));
    previous_speed_ = fitting_speed_;
    previous_speed_field_ = fitting_speed_field_;
  }
  model_.cell(speed_fill_).speed_limit = static_cast<std::uint8_t>(round_div(previous_speed_, 5));
  ++speed_fill_;
}

void TrainParser::lay_adhesion() {
  if (!model_.cell_in_route(adhesion_fill_))
    throw ReadingFailure("the adhesion values run beyond the end of the route");
  model_.cell(adhesion_fill_).adhesion = low_bits<std::uint8_t>(previous_adhesion_);
  ++adhesion_fill_;
}

// The last values run on to three cells before the route's end; those last
// three cells keep what a record gave them.
void TrainParser::complete_profiles() {
  const std::int64_t end = std::int64_t{model_.last_cell} - 2;
  lay_speeds_until(end);
  lay_adhesions_until(end);
}

// The line's three chainage entries must start and end on the 50 m grid.
// The line's record that gave the entry is to blame.
void TrainParser::check_chainage() {
  for (const int index : kChainageEntries) {
    const ScenarioEntry& entry = model_.scenario_table[index];
    const bool start_off = !is_multiple(entry.value1, kCellLength);
    if (!start_off && is_multiple(entry.value2, kCellLength)) continue;
    const std::int32_t value = start_off ? entry.value1 : entry.value2;
    std::string message = std::string("kilometric chainage ") + (start_off ? "position " : "value ") +
                          std::to_string(value) + " is not a multiple of 50";
    Diagnostic diagnostic = context_.line.diagnostic_for_file(Severity::kError, ErrorKind::kChainageOffGrid, message);
    for (const ChainageRecord& record : context_.chainage_records) {
      const bool same = record.value1 == entry.value1 &&
                        (record.value2 == entry.value2 || std::int64_t{record.value2} + 100 == entry.value2);
      if (same) {
        diagnostic = context_.line.diagnostic_at(start_off ? record.position_offset : record.value_offset,
                                                 Severity::kError, ErrorKind::kChainageOffGrid, message);
      }
    }
    sink_.report(std::move(diagnostic));
    return;
  }
}

Flow TrainParser::read_signal() {
  const std::int32_t posizione = file_.int32();
  std::int32_t values[10];
  for (std::int32_t& value : values) value = file_.int32();
  auto& [sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo] = values;
  if (const auto refused = context_.refuse_position(file_, model_, posizione, kRecordMargin)) return *refused;
  if (!memo_segnale(posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo)) {
    return context_.sink.goes_on_after_errors() ? Flow::kNext : Flow::kEndCall;
  }
  return Flow::kNext;
}

bool TrainParser::memo_segnale(std::int32_t posizione, std::int32_t& sx, std::int32_t& s1,
                               std::int32_t& s2, std::int32_t& s3, std::int32_t& rapp,
                               std::int32_t& dx, std::int32_t& d1, std::int32_t& d2,
                               std::int32_t& d3, std::int32_t& tempo) {
  const std::int64_t c = round_div(std::int64_t{posizione} + kCellLength, kCellLength);
  // The signal and its markers 100, 200, 300 and 400 m before it.
  for (int j = 0; j <= kApproachCells; ++j) {
    require_in_route(c - 2 * j, 0,
                     "the signal or one of its approach markers (400 m before it) lies outside the route");
  }
  RouteCell& cell = model_.cell(c);
  if (!is_free(cell)) {
    context_.fail(file_, ErrorKind::kSignalCellTaken, posizione, 0,
         "the cell of this signal at " + metres(posizione) + " (cell " + std::to_string(c) + ") is already taken",
         Flow::kEndCall, context_.holder_note(c));
    return false;
  }
  context_.hold(c, file_);
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

Flow TrainParser::read_slowdown() {
  const std::int32_t x = file_.int32();
  std::int32_t v = file_.int32();
  std::int32_t l = file_.int32();
  std::int32_t f_tt = file_.int32();
  const std::int32_t f_ta = file_.int32();
  std::int32_t d_v = file_.int32();
  if (const auto refused = context_.refuse_position(file_, model_, x, kRecordMargin)) return *refused;
  if (!memo_rallentamento(x, v, l, f_tt, f_ta, d_v)) {
    return context_.sink.goes_on_after_errors() ? Flow::kNext : Flow::kEndCall;
  }
  slowdowns_.push_back({x, v, file_.field_offset(1)});
  return Flow::kNext;
}

bool TrainParser::memo_rallentamento(std::int32_t x, std::int32_t& v, std::int32_t& l,
                                     std::int32_t& f_tt, std::int32_t f_ta, std::int32_t& d_v) {
  const bool warned = x > kWarningThreshold;
  if (!warned) f_ta = 0;
  const std::int64_t warning = round_div(x - kWarningDistance + kCellLength, kCellLength);
  const std::int64_t start = round_div(x + kCellLength, kCellLength);
  const std::int64_t end = round_div(std::int64_t{x} + l + kCellLength, kCellLength);
  const std::int64_t boards = round_div(x - kWarningDistance, kCellLength);
  require_in_route(start, 0, "the slowdown's start lies outside the route");
  require_in_route(end, 2, "the slowdown's end lies outside the route");
  if (warned) require_in_route(warning, 0, "the slowdown's warning board lies outside the route");
  for (int i = 0; f_ta != 0 && i < kApproachCells; ++i) {
    require_in_route(boards - i, 4, "the slowdown's approach boards lie outside the route");
  }

  const auto refuse = [&](ErrorKind kind, std::int64_t cell, const char* what) {
    // One of the slowdown's own cells may stand in the way of its approach
    // boards: then there is no other record to point at.
    const CellHolder* holder = context_.holder(cell);
    const bool itself = holder && holder->file == &file_ && holder->offset == file_.record_start();
    context_.fail(file_, kind, x,
                  kind == ErrorKind::kSlowdownEndCellTaken     ? 2
                  : kind == ErrorKind::kApproachBoardCellTaken ? 4
                                                               : 0,
                  std::string("the ") + what + " of this slowdown at " + metres(x) + " (cell " + std::to_string(cell) +
                      ") is already taken" + (itself ? " by one of its own cells" : ""),
                  Flow::kEndCall, itself ? std::nullopt : context_.holder_note(cell));
    return false;
  };
  if (warned && !is_free(model_.cell(warning)))
    return refuse(ErrorKind::kWarningBoardCellTaken, warning, "warning board cell");
  if (!is_free(model_.cell(start))) return refuse(ErrorKind::kSlowdownStartCellTaken, start, "start cell");
  if (!is_free(model_.cell(end))) return refuse(ErrorKind::kSlowdownEndCellTaken, end, "end cell");
  write_slowdown(start, end, warned ? std::optional{warning} : std::nullopt, v, f_tt, d_v);
  // The approach boards come last: when they collide, the slowdown stays.
  if (f_ta != 0 && !place_approach_boards(boards, d_v)) {
    std::int64_t taken = boards;
    for (int i = 0; i < kApproachCells; ++i) {
      if (!is_free(model_.cell(boards - i))) {
        taken = boards - i;
        break;
      }
    }
    return refuse(ErrorKind::kApproachBoardCellTaken, taken, "approach board cell");
  }
  return true;
}

void TrainParser::write_slowdown(std::int64_t start, std::int64_t end, std::optional<std::int64_t> warning,
                                 std::int32_t v, std::int32_t f_tt, std::int32_t d_v) {
  // The end first, then the start: a slowdown too short to leave its start
  // cell keeps the start's kind there.
  for (const auto& [index, kind] : {std::pair{end, kSlowdownEnd}, std::pair{start, kSlowdownStart}}) {
    model_.cell(index).kind = kind;
    context_.hold(index, file_);
    if (d_v != 0) model_.cell(index).param2 = low_bits<std::int16_t>(d_v);
  }
  if (warning) {
    RouteCell& board = model_.cell(*warning);
    board.kind = kSlowdownWarning;
    context_.hold(*warning, file_);
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
    context_.hold(first - i, file_);
    board.param1 = low_bits<std::int16_t>(i + 1);
    if (d_v != 0) board.param2 = low_bits<std::int16_t>(i + 1);
  }
  return true;
}

Flow TrainParser::read_lowering() {
  const std::int32_t position = file_.int32();
  const std::int32_t value = file_.int32();
  if (const auto refused = context_.refuse_position(file_, model_, position, kRecordMargin)) return *refused;
  const std::int64_t index = round_div(position, kCellLength);
  require_in_route(index, 0, "the lowering record lies before the start of the route");
  RouteCell& cell = model_.cell(index);
  if (!is_free(cell)) {
    return context_.fail(file_, ErrorKind::kLoweringCellTaken, position, 0,
                "the cell of this lowering record at " + metres(position) + " (cell " + std::to_string(index) +
                    ") is already taken",
                Flow::kEndCall, context_.holder_note(index));
  }
  context_.hold(index, file_);
  if (value > 0) {
    cell.kind = kLoweringPoint;
    cell.param1 = low_bits<std::int16_t>(value);
  } else {
    cell.kind = kLoweringOther;
  }
  return Flow::kNext;
}

// One station into entry k of the scenario table, with its stop cell and
// approach markers.
Flow TrainParser::read_station() {
  // The check has told once that the stations reach the board texts.
  if (too_many_stations_) return Flow::kNext;
  // A station never takes an entry that holds a board text.
  if (station_ > std::min(model_.next_board_entry, kFirstBoardEntry)) {
    too_many_stations_ = true;
    return context_.fail(file_, ErrorKind::kTooManyStations, std::nullopt, file_.fields_read(),
                "too many stations: station " + std::to_string(station_) + " would take an entry of the board texts");
  }
  ScenarioEntry& entry = model_.scenario_table[station_];
  entry.value3 = file_.int32();
  const std::int32_t position = entry.value3;
  if (const auto refused = context_.refuse_position(file_, model_, position, kStationMargin)) return *refused;
  if (!is_multiple(position, kCellLength)) {
    return context_.fail(file_, ErrorKind::kStationOffGrid, position, 0,
                         "station position " + std::to_string(position) + " is not a multiple of 50");
  }
  entry.code = file_.byte();
  const std::int32_t length = file_.int32();
  if (!is_multiple(length, 100)) {
    return context_.fail(file_, ErrorKind::kStationLengthOffGrid, position, 2,
                         "station length " + std::to_string(length) + " is not a multiple of 100");
  }
  read_station_columns(entry);
  set_station_stretch(entry, length);
  if (length < 600) entry.byte4 = 0;
  if (station_ == 1) {
    entry.byte3 = 0;
    entry.byte4 = 0;
  }
  if (entry.code < kStationKindWithoutCells) {
    if (const auto refused = place_station_cells(entry)) return *refused;
  }
  return check_station_order(entry);
}

// Columns 4 to 17: carried into the entry, the time of day as seconds.
void TrainParser::read_station_columns(ScenarioEntry& entry) {
  entry.flag = file_.byte();
  entry.byte4 = file_.byte();
  entry.byte3 = file_.byte();
  entry.word1 = file_.int16();
  entry.word2 = file_.int16();
  entry.byte1 = file_.byte();
  entry.word3 = file_.int16();
  entry.word4 = file_.int16();
  entry.word5 = file_.int16();
  entry.byte2 = file_.byte();
  const std::int64_t hours = file_.int32();
  const std::int64_t minutes = file_.int32();
  const std::int64_t seconds = file_.int32();
  entry.seconds = low_bits<std::int32_t>(hours * 3600 + minutes * 60 + seconds);
  entry.text = file_.text();
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
// the four markers before it. Written over whatever the cells hold. Nothing
// when placed; else the flow after the refused station.
std::optional<Flow> TrainParser::place_station_cells(const ScenarioEntry& entry) {
  const std::int64_t stretch_end = entry.value2;
  if (stretch_end - kCellLength <= kCellLength) {
    return context_.fail(file_, ErrorKind::kStopCellTooEarly, std::nullopt, 0,
                "the station's stretch ends at " + metres(stretch_end) +
                    ": its stop cell would lie in cell 1 or before");
  }
  const std::int64_t stop = round_div(stretch_end - kCellLength, kCellLength);
  const bool with_markers = entry.code != 5 && entry.code != 6;
  require_in_route(stop, 0, "the station's stop cell lies beyond the end of the route");
  for (int j = 1; with_markers && j <= kApproachCells; ++j) {
    if (const auto marker = station_marker_cell(stretch_end, j)) {
      require_in_route(*marker, 0, "a station marker lies beyond the end of the route");
    }
  }
  for (int j = 1; with_markers && j <= kApproachCells; ++j) {
    if (const auto marker = station_marker_cell(stretch_end, j)) {
      model_.cell(*marker).marker = low_bits<std::uint8_t>(80 + j);
    }
  }
  RouteCell& cell = model_.cell(stop);
  cell.kind = kStationStop;
  context_.hold(stop, file_);
  cell.param1 = low_bits<std::int16_t>(station_);
  return std::nullopt;
}

// Stations come in increasing order with room between them, and stay below
// the board texts.
Flow TrainParser::check_station_order(const ScenarioEntry& entry) {
  if (station_ > 1 &&
      std::int64_t{entry.value1} - kStationGap < model_.scenario_table[station_ - 1].value2) {
    return context_.fail(file_, ErrorKind::kStationTooClose, entry.value3, 0,
                "the station's stretch starts at " + metres(entry.value1) + ", less than 350 m after the previous " +
                    "station's ends at " + metres(model_.scenario_table[station_ - 1].value2));
  }
  warn_station_sequence(entry);
  ++station_;
  if (station_ >= std::min(model_.next_board_entry, kFirstBoardEntry)) {
    too_many_stations_ = true;
    return context_.fail(file_, ErrorKind::kTooManyStations, std::nullopt, 0,
                "too many stations: after this one, station " + std::to_string(station_) +
                    " would take an entry of the board texts");
  }
  return Flow::kNext;
}

// The stations are met along the run: their times of day must not run
// backwards, and each name stands once. Neither is the compile's concern. A
// time of 0 is a station without one (a station the train passes).
void TrainParser::warn_station_sequence(const ScenarioEntry& entry) {
  if (entry.seconds != 0) {
    timed_stations_.push_back({entry.value3, entry.seconds, file_.field_offset(kStationHoursField), entry.text});
  }
  std::int32_t timed = station_ - 1;
  while (timed >= 1 && model_.scenario_table[timed].seconds == 0) --timed;
  if (entry.seconds != 0 && timed >= 1) {
    const ScenarioEntry& previous = model_.scenario_table[timed];
    if (entry.seconds < previous.seconds) {
      sink_.report(file_.warning_at(file_.field_offset(kStationHoursField), WarningRule::kOutOfOrder,
                                    "the station's time of day " + clock_text(entry.seconds) +
                                        " lies before " + clock_text(previous.seconds) + ", the time of '" +
                                        quoted_field(previous.text) + "' before it" +
                                        ": the times must follow the run"));
    }
  }
  for (std::int32_t k = 1; k < station_; ++k) {
    if (model_.scenario_table[k].text != entry.text || entry.text.empty()) continue;
    sink_.report(file_.warning_at(file_.field_offset(kStationNameField), WarningRule::kDuplicateName,
                                  "station " + std::to_string(k) + " has the same name '" + quoted_field(entry.text) +
                                      "': the simulator cannot tell the two apart"));
    break;
  }
}

void TrainParser::require_in_route(std::int64_t cell, std::size_t field, const char* what) const {
  if (!model_.cell_in_route(cell)) throw ReadingFailure(what, field);
}

}  // namespace compiler
