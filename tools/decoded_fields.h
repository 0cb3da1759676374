#pragma once
// What the raw numbers of the compiled files mean, in words and units an
// author reads: cell and entry kinds by name, speed limits in km/h,
// gradients in per mille, times of day as hh:mm:ss.

#include <cstdint>
#include <optional>
#include <string>

#include "formats/scenario_file.h"
#include "model/model.h"

namespace tools {

// The name of a cell kind ("signal", "station stop", ...); "unused" for the
// kinds 7, 8 and 9 and "unknown" for kinds the compiler never writes.
std::string cell_kind_name(int kind);

// The object of a cell with its values decoded, or nothing for an empty cell.
std::optional<std::string> cell_object_text(const compiler::RouteCell& cell);

// The approach marker of a cell: "station approach 2", "signal approach 1,
// signal group 6", or nothing when the cell has no marker.
std::optional<std::string> marker_text(int marker);

// The tunnel byte: "open line" for 0, else "tunnel type N".
std::string tunnel_text(int tunnel);

inline int speed_limit_kmh(const compiler::RouteCell& cell) { return cell.speed_limit * 5; }
inline int gradient_per_mille(const compiler::RouteCell& cell) { return cell.gradient - 100; }

// A time of day in seconds as hh:mm:ss; hours run past 23 when the value
// does, and a negative value gets a leading minus.
std::string clock_text(std::int64_t seconds);

// What each entry of the scenario table holds. Stations are the entries
// from 1 upward that carry numbers besides a name; board texts are the
// other entries up to 80, which carry only a text.
std::string entry_role(const compiler::ScenarioTable& table, int entry);

}  // namespace tools
