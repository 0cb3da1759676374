#pragma once
// What the pictures show of a compiled route and scenario table, in metres
// from the start of the line: stations, signals, tunnels, slowdowns,
// lowering points, the height profile and the speed limit.

#include <cstdint>
#include <string>
#include <vector>

#include "formats/scenario_file.h"
#include "model/model.h"

namespace tools {

inline constexpr double kCellMetres = 50;

// A station entry of the scenario table.
struct Station {
  int entry = 0;       // index in the scenario table
  std::string name;    // UTF-8
  double position = 0;
  double stretch_start = 0;
  double stretch_end = 0;
};

// A stretch of the line with one value: a tunnel type, a slowdown speed.
struct Stretch {
  double start = 0;
  double end = 0;
  int value = 0;
};

// One object cell: where it starts, its kind and its first value.
struct CellMark {
  double position = 0;
  int kind = 0;
  int value = 0;
};

// A corner of a profile line: distance along the line and the value there.
struct ProfilePoint {
  double distance = 0;
  double value = 0;
};

// Everything the two views draw, gathered once from the route and table.
struct RouteFeatures {
  double route_metres = 0;     // length covered by the cells
  double line_metres = 0;      // line length from the header entry; 0 when not set
  double drawn_metres = 0;     // where the drawings end: the line's end, or the last object beyond it
  std::vector<Station> stations;
  std::vector<double> signals;
  std::vector<Stretch> tunnels;     // value: tunnel type 1 .. 3
  std::vector<Stretch> slowdowns;   // from a start cell to the next end cell; value: speed in km/h
  std::vector<CellMark> slowdown_marks;  // every start, end, warning and approach board cell
  std::vector<CellMark> lowering_points;
  std::vector<ProfilePoint> height;       // metres above the start, at each change of gradient
  std::vector<Stretch> speed_limits;      // value: km/h
  std::vector<Stretch> gradients;         // value: per mille
};

// Station entries: entry 1 upward, up to the first empty entry or the first
// that a board cell names as its text (stations and board texts share the
// table and may meet without a gap).
std::vector<Station> stations_of(const std::vector<compiler::RouteCell>& route,
                                 const compiler::ScenarioTable& table);

// Height above the start, integrated over the 50 m cells from the gradient
// bytes (per mille plus 100). A corner is kept only where the gradient
// changes, so the line is exact with few points. Trailing cells whose byte
// is 0 were never written by the compiler and are left out.
std::vector<ProfilePoint> height_profile(const std::vector<compiler::RouteCell>& route);

// Runs of equal speed limit in km/h (the byte times 5), trailing unwritten
// cells left out as for the height.
std::vector<Stretch> speed_limit_steps(const std::vector<compiler::RouteCell>& route);

// Runs of equal gradient in per mille (the byte minus 100), trailing
// unwritten cells left out as for the height.
std::vector<Stretch> gradient_steps(const std::vector<compiler::RouteCell>& route);

// Where the drawings of a route end: the line's length when the header
// gives one, but never before the end of the last object cell or station,
// so that nothing the route holds falls off the drawing; the whole route
// when the header gives no length.
double drawn_length(const std::vector<compiler::RouteCell>& route, const std::vector<Station>& stations,
                    double line_metres);

// Runs of cells with the same non-zero tunnel byte.
std::vector<Stretch> tunnel_stretches(const std::vector<compiler::RouteCell>& route);

// Each slowdown start paired with the next end cell, when no other start
// comes between them.
std::vector<Stretch> slowdown_stretches(const std::vector<compiler::RouteCell>& route);

// The cells of the given kinds, in route order.
std::vector<CellMark> cells_of_kinds(const std::vector<compiler::RouteCell>& route,
                                     std::initializer_list<int> kinds);

RouteFeatures route_features(const std::vector<compiler::RouteCell>& route, const compiler::ScenarioTable& table);

}  // namespace tools
