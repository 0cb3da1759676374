#include "tools/decoded_fields.h"

#include <cstdio>
#include <cstdlib>

#include "formats/scenario_file.h"

namespace tools {
namespace {

std::string number(int value) { return std::to_string(value); }

// A signal packs each group's values as decimal digits: param1 .. param3
// hold left digit times 10 plus right digit, param4 the tens digit and the
// two group kinds as left·3 + right.
std::string signal_text(const compiler::RouteCell& cell) {
  const auto pair = [](int packed) { return number(packed / 10) + "/" + number(packed % 10); };
  const int kinds = cell.param4 % 10;
  std::string text = "signal, values (left/right) " + pair(cell.param1) + " " + pair(cell.param2) + " " +
                     pair(cell.param3) + ", tens digit " + number(cell.param4 / 10) + ", left group kind " +
                     number(kinds / 3) + ", right group kind " + number(kinds % 3);
  if (cell.param5 != 0) text += ", time " + number(cell.param5);
  return text;
}

std::string slowdown_text(const char* what, const compiler::RouteCell& cell, bool with_f_tt) {
  std::string text = std::string(what) + ", " + number(cell.param1) + " km/h";
  if (cell.param2 != 0) text += ", d_v " + number(cell.param2);
  if (with_f_tt) text += ", f_tt " + number(cell.param3);
  return text;
}

bool only_text(const compiler::ScenarioEntry& entry) {
  compiler::ScenarioEntry numbers = entry;
  numbers.text.clear();
  return numbers == compiler::ScenarioEntry{};
}

}  // namespace

std::string cell_kind_name(int kind) {
  switch (kind) {
    case compiler::kNoObject: return "none";
    case compiler::kSignal: return "signal";
    case compiler::kSlowdownEnd: return "slowdown end";
    case compiler::kSlowdownStart: return "slowdown start";
    case compiler::kSlowdownWarning: return "slowdown warning board";
    case compiler::kSlowdownApproach: return "slowdown approach board";
    case compiler::kSpeedBoards: return "maximum-speed boards";
    case 7:
    case 8:
    case 9: return "unused";
    case compiler::kStationStop: return "station stop";
    case compiler::kTunnelMarker: return "tunnel marker";
    case compiler::kLoweringPoint: return "lowering point";
    case compiler::kLoweringOther: return "lowering record";
    case compiler::kIndicationBoard: return "indication board";
    default: return "unknown";
  }
}

std::optional<std::string> cell_object_text(const compiler::RouteCell& cell) {
  switch (cell.kind) {
    case compiler::kNoObject: return std::nullopt;
    case compiler::kSignal: return signal_text(cell);
    case compiler::kSlowdownEnd: return slowdown_text("slowdown end", cell, true);
    case compiler::kSlowdownStart: return slowdown_text("slowdown start", cell, true);
    case compiler::kSlowdownWarning: return slowdown_text("slowdown warning board", cell, false);
    case compiler::kSlowdownApproach: return "slowdown approach board " + number(cell.param1) + " of 4";
    case compiler::kSpeedBoards:
      return "maximum-speed boards, packed speeds " + number(cell.param1) + " " + number(cell.param2) + " " +
             number(cell.param3) + ", packed stripes " + number(cell.param4);
    case compiler::kStationStop: return "station stop of entry " + number(cell.param1);
    case compiler::kTunnelMarker: return "tunnel marker";
    case compiler::kLoweringPoint: return "lowering point, value " + number(cell.param1);
    case compiler::kLoweringOther: return "lowering record without a value";
    case compiler::kIndicationBoard: return "indication board, text in entry " + number(cell.param1);
    default: return cell_kind_name(cell.kind) + " kind " + number(cell.kind);
  }
}

std::optional<std::string> marker_text(int marker) {
  if (marker == 0) return std::nullopt;
  if (marker >= 81 && marker <= 84) return "station approach " + number(marker - 80);
  const int step = marker % 10;
  const int kinds = marker / 10;
  if (step >= 1 && step <= 4 && kinds <= 8) {
    return "signal approach " + number(step) + ", left group kind " + number(kinds / 3) + ", right group kind " +
           number(kinds % 3);
  }
  return "unknown marker";
}

std::string tunnel_text(int tunnel) { return tunnel == 0 ? "open line" : "tunnel type " + number(tunnel); }

std::string clock_text(std::int64_t seconds) {
  const std::int64_t magnitude = std::llabs(seconds);
  char text[40];
  std::snprintf(text, sizeof text, "%s%02lld:%02lld:%02lld", seconds < 0 ? "-" : "",
                static_cast<long long>(magnitude / 3600), static_cast<long long>(magnitude / 60 % 60),
                static_cast<long long>(magnitude % 60));
  return text;
}

std::string entry_role(const compiler::ScenarioTable& table, int entry) {
  switch (entry) {
    case 0: return "unused";
    case 81:
    case 82:
    case 83: return "chainage";
    case compiler::kTrainHeaderEntry: return "train header";
    case compiler::kScenarioHeaderEntry: return "scenario header";
    case compiler::kTrainIdEntry: return "train identifier";
    default: break;
  }
  if (entry < 0 || entry > compiler::kFirstBoardEntry) return "unknown";
  int first_not_station = 1;
  while (first_not_station < compiler::kFirstBoardEntry &&
         !only_text(table[static_cast<std::size_t>(first_not_station)])) {
    ++first_not_station;
  }
  if (entry < first_not_station) return "station";
  return table[static_cast<std::size_t>(entry)] == compiler::ScenarioEntry{} ? "empty" : "board text";
}

}  // namespace tools
