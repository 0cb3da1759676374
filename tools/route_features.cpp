#include "tools/route_features.h"

#include <algorithm>
#include <set>

#include "naming/identifiers.h"

namespace tools {
namespace {

using compiler::RouteCell;

double cell_start(std::size_t cell) { return static_cast<double>(cell) * kCellMetres; }

// Cells that hold a written profile byte: all up to the last non-zero one.
template <typename Field>
std::size_t written_cells(const std::vector<RouteCell>& route, Field field) {
  std::size_t count = route.size();
  while (count > 0 && route[count - 1].*field == 0) --count;
  return count;
}

}  // namespace

std::vector<Station> stations_of(const std::vector<RouteCell>& route, const compiler::ScenarioTable& table) {
  std::set<int> board_entries;
  for (const RouteCell& cell : route) {
    if (cell.kind == compiler::kIndicationBoard) board_entries.insert(cell.param1);
  }
  std::vector<Station> stations;
  for (int entry = 1; entry < compiler::kFirstBoardEntry; ++entry) {
    const compiler::ScenarioEntry& station = table[static_cast<std::size_t>(entry)];
    if (station == compiler::ScenarioEntry{} || board_entries.contains(entry)) break;
    stations.push_back({entry, naming::windows1252_to_utf8(station.text), static_cast<double>(station.value3),
                        static_cast<double>(station.value1), static_cast<double>(station.value2)});
  }
  return stations;
}

std::vector<ProfilePoint> height_profile(const std::vector<RouteCell>& route) {
  const std::size_t cells = written_cells(route, &RouteCell::gradient);
  std::vector<ProfilePoint> points;
  if (cells == 0) return points;
  points.push_back({0, 0});
  double height = 0;
  for (std::size_t cell = 0; cell < cells; ++cell) {
    const double per_mille = static_cast<double>(route[cell].gradient) - 100;
    height += per_mille / 1000 * kCellMetres;
    const bool last = cell + 1 == cells;
    if (last || route[cell + 1].gradient != route[cell].gradient) points.push_back({cell_start(cell + 1), height});
  }
  return points;
}

std::vector<Stretch> speed_limit_steps(const std::vector<RouteCell>& route) {
  const std::size_t cells = written_cells(route, &RouteCell::speed_limit);
  std::vector<Stretch> steps;
  for (std::size_t cell = 0; cell < cells; ++cell) {
    const int kmh = route[cell].speed_limit * 5;
    if (steps.empty() || steps.back().value != kmh) steps.push_back({cell_start(cell), cell_start(cell), kmh});
    steps.back().end = cell_start(cell + 1);
  }
  return steps;
}

std::vector<Stretch> gradient_steps(const std::vector<RouteCell>& route) {
  const std::size_t cells = written_cells(route, &RouteCell::gradient);
  std::vector<Stretch> steps;
  for (std::size_t cell = 0; cell < cells; ++cell) {
    const int per_mille = route[cell].gradient - 100;
    if (steps.empty() || steps.back().value != per_mille) {
      steps.push_back({cell_start(cell), cell_start(cell), per_mille});
    }
    steps.back().end = cell_start(cell + 1);
  }
  return steps;
}

double drawn_length(const std::vector<RouteCell>& route, const std::vector<Station>& stations, double line_metres) {
  const double whole = cell_start(route.size());
  if (!(line_metres > 0) || line_metres >= whole) return whole;
  double end = line_metres;
  for (std::size_t cell = 0; cell < route.size(); ++cell) {
    if (route[cell].kind != compiler::kNoObject) end = std::max(end, cell_start(cell + 1));
  }
  for (const Station& station : stations) end = std::max(end, std::min(station.position + kCellMetres, whole));
  return end;
}

std::vector<Stretch> tunnel_stretches(const std::vector<RouteCell>& route) {
  std::vector<Stretch> stretches;
  for (std::size_t cell = 0; cell < route.size(); ++cell) {
    const int type = route[cell].tunnel;
    if (type == 0) continue;
    const bool continues = !stretches.empty() && stretches.back().value == type &&
                           stretches.back().end == cell_start(cell);
    if (!continues) stretches.push_back({cell_start(cell), cell_start(cell), type});
    stretches.back().end = cell_start(cell + 1);
  }
  return stretches;
}

std::vector<Stretch> slowdown_stretches(const std::vector<RouteCell>& route) {
  std::vector<Stretch> stretches;
  const RouteCell* open_start = nullptr;
  double open_position = 0;
  for (std::size_t cell = 0; cell < route.size(); ++cell) {
    if (route[cell].kind == compiler::kSlowdownStart) {
      open_start = &route[cell];
      open_position = cell_start(cell);
    } else if (route[cell].kind == compiler::kSlowdownEnd && open_start != nullptr) {
      stretches.push_back({open_position, cell_start(cell), open_start->param1});
      open_start = nullptr;
    }
  }
  return stretches;
}

std::vector<CellMark> cells_of_kinds(const std::vector<RouteCell>& route, std::initializer_list<int> kinds) {
  std::vector<CellMark> marks;
  for (std::size_t cell = 0; cell < route.size(); ++cell) {
    const RouteCell& c = route[cell];
    if (std::find(kinds.begin(), kinds.end(), c.kind) != kinds.end()) {
      marks.push_back({cell_start(cell), c.kind, c.param1});
    }
  }
  return marks;
}

RouteFeatures route_features(const std::vector<RouteCell>& route, const compiler::ScenarioTable& table) {
  RouteFeatures features;
  features.route_metres = cell_start(route.size());
  features.line_metres = table[compiler::kTrainHeaderEntry].value2;
  features.stations = stations_of(route, table);
  for (const CellMark& signal : cells_of_kinds(route, {compiler::kSignal})) features.signals.push_back(signal.position);
  features.tunnels = tunnel_stretches(route);
  features.slowdowns = slowdown_stretches(route);
  features.slowdown_marks = cells_of_kinds(route, {compiler::kSlowdownEnd, compiler::kSlowdownStart,
                                                   compiler::kSlowdownWarning, compiler::kSlowdownApproach});
  features.lowering_points = cells_of_kinds(route, {compiler::kLoweringPoint, compiler::kLoweringOther});
  features.height = height_profile(route);
  features.speed_limits = speed_limit_steps(route);
  features.gradients = gradient_steps(route);
  features.drawn_metres = drawn_length(route, features.stations, features.line_metres);
  return features;
}

}  // namespace tools
