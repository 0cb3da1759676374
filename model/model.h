#pragma once
// The compiled scenario: the route, the scenario table and the track plan,
// with the values that carry state from one compiler step to the next.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/zeroed_array.h"

namespace compiler {

// One 50 m cell of the line: an object (kind and its values) and the line's
// attributes at that place. Fields in file order.
struct RouteCell {
  std::uint8_t kind = 0;
  std::int16_t param1 = 0;
  std::int16_t param2 = 0;
  std::int16_t param3 = 0;
  std::int16_t param4 = 0;
  std::uint8_t param5 = 0;
  std::uint8_t marker = 0;
  std::uint8_t tunnel = 0;
  std::uint8_t speed_limit = 0;
  std::uint8_t gradient = 0;
  std::uint8_t adhesion = 0;

  bool operator==(const RouteCell&) const = default;
};

// Cell kinds.
enum CellKind : std::uint8_t {
  kNoObject = 0,
  kSignal = 1,
  kSlowdownEnd = 2,
  kSlowdownStart = 3,
  kSlowdownWarning = 4,
  kSlowdownApproach = 5,
  kSpeedBoards = 6,
  kStationStop = 10,
  kTunnelMarker = 11,
  kLoweringPoint = 12,
  kLoweringOther = 13,
  kIndicationBoard = 14,
};

// A cell other objects may take: empty, or only a tunnel marker.
inline bool is_free(const RouteCell& cell) { return cell.kind == kNoObject || cell.kind == kTunnelMarker; }

// One record of the scenario table: a station, a board text or header values.
// Fields in file order; text is a Windows-1252 byte string.
struct ScenarioEntry {
  std::uint8_t code = 0;
  std::int32_t value1 = 0;
  std::int32_t value2 = 0;
  std::int32_t value3 = 0;
  std::uint8_t flag = 0;
  std::string text;
  std::int16_t word1 = 0;
  std::int16_t word2 = 0;
  std::int16_t word3 = 0;
  std::int16_t word4 = 0;
  std::int16_t word5 = 0;
  std::uint8_t byte1 = 0;
  std::uint8_t byte2 = 0;
  std::uint8_t byte3 = 0;
  std::uint8_t byte4 = 0;
  std::int32_t seconds = 0;

  bool operator==(const ScenarioEntry&) const = default;
};

inline constexpr int kScenarioEntries = 87;
inline constexpr int kFirstBoardEntry = 80;      // board texts grow down from here
inline constexpr int kChainageEntries[] = {81, 82, 83};
inline constexpr int kTrainHeaderEntry = 84;
inline constexpr int kScenarioHeaderEntry = 85;
inline constexpr int kTrainIdEntry = 86;
inline constexpr int kTunnelSlots = 81;          // tunnel_starts/ends indexes 0 .. 80

// Every cell of the route covers this many metres of line.
inline constexpr std::int64_t kCellLength = 50;

inline constexpr std::int32_t kMaxLineLength = 1'000'000;
inline constexpr std::int32_t kExtraTrackLength = 7000;
// The longest track and the most route cells any compile can give.
inline constexpr std::int32_t kMaxTrackLength = kMaxLineLength + kExtraTrackLength;
inline constexpr std::int32_t kMaxRouteCells = (kMaxTrackLength + 25) / 50 + 1;
inline constexpr std::int16_t kTableMark = 610;
inline constexpr std::int16_t kRouteMark = 5121;

// Kind of one track plan element, as tagged in the line data file.
enum class PlanTag : std::uint16_t { kEmpty = 0, kInt16 = 2, kDouble = 5 };

// The plan view of the track, one (x, y) point per metre 0 .. track_length.
// Points are filled in one forward pass, so an element's kind follows from its
// metre: metres 0 and 1 are 16-bit integers once the plan is started, metres
// 2 .. filled_end() - 1 are doubles, every later metre is empty. Only the
// coordinates are stored.
class TrackPlan {
 public:
  // A plan that keeps only how far it reached: what the check needs, which
  // reports where the plan stops but writes no coordinates. Its cursor, tags
  // and errors are those of a full plan; it holds no points to read. Set
  // before size(); it lasts through size() and clear().
  void keep_positions_only() { positions_only_ = true; }
  bool keeps_points() const { return !positions_only_; }
  // Re-creates the plan for metres 0 .. track_length, every element empty.
  void size(std::int32_t track_length);
  // Metres 0 and 1 become (0, 0) and (0, 1) as integers; the cursor moves to 2.
  void start();
  bool sized() const { return metres_ > 0; }
  bool started() const { return started_; }
  // Last metre index (track_length); -1 when not sized.
  std::int32_t last_metre() const { return static_cast<std::int32_t>(metres_) - 1; }
  // The next metre to compute.
  std::int32_t cursor() const { return cursor_; }
  double x(std::int32_t metre) const { return points_[static_cast<std::size_t>(metre)]; }
  double y(std::int32_t metre) const { return points_[metres_ + static_cast<std::size_t>(metre)]; }
  // Sets the point at the cursor and advances it. Inline: the plan's inner
  // loop calls it once per metre.
  void append(double x, double y) {
    points_[static_cast<std::size_t>(cursor_)] = x;
    points_[metres_ + static_cast<std::size_t>(cursor_)] = y;
    ++cursor_;
  }
  // Moves the cursor to metre without computing the points before it: for
  // a plan that keeps positions only.
  void skip_to(std::int32_t metre) { cursor_ = metre; }
  PlanTag tag(std::int32_t metre) const;
  void clear();

 private:
  // Every x coordinate (metre 0 first), then every y coordinate: one block,
  // in memory that is cheap to fill the first time (platform/zeroed_array.h).
  platform::ZeroedArray<double> points_;
  std::size_t metres_ = 0;
  std::int32_t cursor_ = 0;
  bool started_ = false;
  bool positions_only_ = false;
};

// The whole compiled model and the members that pass state between steps.
struct CompiledModel {
  std::vector<RouteCell> route;  // cells 0 .. last_cell; empty until sized
  std::array<ScenarioEntry, kScenarioEntries> scenario_table{};
  TrackPlan track_plan;
  std::int32_t full_compile = 0;
  std::string scenario_id;
  std::string train_id;
  std::int32_t track_length = 0;
  std::int32_t last_cell = 0;
  std::string field_text;
  std::int32_t tunnel_count = 0;
  std::array<std::int32_t, kTunnelSlots> tunnel_starts{};
  std::array<std::int32_t, kTunnelSlots> tunnel_ends{};
  // The scenario table entry that takes the next board text; the line half
  // lowers it by one per board and the train half keeps its stations below it.
  std::int32_t next_board_entry = kFirstBoardEntry;
  std::int32_t cell_index = 0;
  std::int32_t walk_index = 0;
  std::int32_t gap_count = 0;
  std::int32_t scan_index = 0;
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;

  bool route_sized() const { return !route.empty(); }
  // The cell at index; callers check the bounds first (cell_in_route).
  RouteCell& cell(std::int64_t index) { return route[static_cast<std::size_t>(index)]; }
  bool cell_in_route(std::int64_t index) const { return index >= 0 && index <= last_cell && route_sized(); }
  // Sets track_length, last_cell and a route of zero cells for a line length.
  void size_route(std::int32_t line_length);
  void record_error(std::int32_t kind, std::int32_t position) {
    error_code = kind;
    error_position = position;
  }
};

// Runs a profile (gradients, speed limits, adhesion) on from cell fill to
// just before end. lay_one() lays the cell at fill with its checks and
// advances fill; the cells after it in the route take the value it laid, all
// at once. When end lies beyond the route, lay_one() then meets the first
// cell outside and fails there, as laying cell by cell would.
template <typename Value, typename LayOne>
void run_profile_until(CompiledModel& model, std::int64_t& fill, std::int64_t end, Value RouteCell::*member,
                       LayOne lay_one) {
  lay_one();
  const std::int64_t in_route = std::min<std::int64_t>(end, std::int64_t{model.last_cell} + 1);
  if (fill < in_route) {
    const Value value = model.cell(fill - 1).*member;
    std::for_each(model.route.begin() + fill, model.route.begin() + in_route,
                  [&](RouteCell& cell) { cell.*member = value; });
    fill = in_route;
  }
  if (fill < end) lay_one();
}

}  // namespace compiler
