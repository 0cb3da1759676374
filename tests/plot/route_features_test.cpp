#include "tools/route_features.h"

#include <gtest/gtest.h>

namespace {

using compiler::RouteCell;
using tools::ProfilePoint;
using tools::Stretch;

std::vector<RouteCell> cells_with(std::initializer_list<std::uint8_t> values, std::uint8_t RouteCell::*field) {
  std::vector<RouteCell> route;
  for (std::uint8_t value : values) {
    RouteCell cell;
    cell.*field = value;
    route.push_back(cell);
  }
  return route;
}

void expect_points(const std::vector<ProfilePoint>& got, const std::vector<ProfilePoint>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_DOUBLE_EQ(got[i].distance, want[i].distance) << i;
    EXPECT_NEAR(got[i].value, want[i].value, 1e-12) << i;
  }
}

void expect_stretches(const std::vector<Stretch>& got, const std::vector<Stretch>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_DOUBLE_EQ(got[i].start, want[i].start) << i;
    EXPECT_DOUBLE_EQ(got[i].end, want[i].end) << i;
    EXPECT_EQ(got[i].value, want[i].value) << i;
  }
}

TEST(HeightProfile, IntegratesPerMilleOverFiftyMetreCellsWithCornersOnlyWhereTheGradientChanges) {
  // +2 per mille for two cells, -2 for one, level for one, then three cells
  // the compiler never wrote.
  const auto route = cells_with({102, 102, 98, 100, 0, 0, 0}, &RouteCell::gradient);
  expect_points(tools::height_profile(route), {{0, 0}, {100, 0.2}, {150, 0.1}, {200, 0.1}});
}

TEST(HeightProfile, AWrittenZeroBeforeTheEndStillCountsAsSteepDescent) {
  const auto route = cells_with({0, 100}, &RouteCell::gradient);
  expect_points(tools::height_profile(route), {{0, 0}, {50, -5}, {100, -5}});
  EXPECT_TRUE(tools::height_profile(cells_with({0, 0}, &RouteCell::gradient)).empty());
}

TEST(SpeedLimitSteps, RunsOfEqualBytesInKilometresPerHour) {
  const auto route = cells_with({6, 6, 23, 23, 23, 0, 0, 0}, &RouteCell::speed_limit);
  expect_stretches(tools::speed_limit_steps(route), {{0, 100, 30}, {100, 250, 115}});
}

TEST(TunnelStretches, SplitWhereTheTypeChangesOrOpenLineComes) {
  const auto route = cells_with({0, 1, 1, 3, 3, 0, 2, 2}, &RouteCell::tunnel);
  expect_stretches(tools::tunnel_stretches(route), {{50, 150, 1}, {150, 250, 3}, {300, 400, 2}});
}

TEST(SlowdownStretches, PairEachStartWithTheNextEndAndLeaveTheRestAsMarks) {
  std::vector<RouteCell> route(12);
  route[1] = {.kind = compiler::kSlowdownEnd, .param1 = 50};     // no start before it
  route[2] = {.kind = compiler::kSlowdownStart, .param1 = 60};
  route[5] = {.kind = compiler::kSlowdownEnd, .param1 = 60};
  route[7] = {.kind = compiler::kSlowdownStart, .param1 = 40};   // superseded by the next start
  route[8] = {.kind = compiler::kSlowdownStart, .param1 = 30};
  route[10] = {.kind = compiler::kSlowdownEnd, .param1 = 30};
  route[11] = {.kind = compiler::kSlowdownWarning, .param1 = 30};
  expect_stretches(tools::slowdown_stretches(route), {{100, 250, 60}, {400, 500, 30}});
  const auto marks = tools::cells_of_kinds(route, {compiler::kSlowdownEnd, compiler::kSlowdownWarning});
  ASSERT_EQ(marks.size(), 4u);
  EXPECT_DOUBLE_EQ(marks[3].position, 550);
  EXPECT_EQ(marks[3].kind, compiler::kSlowdownWarning);
}

compiler::ScenarioEntry named(std::int32_t position, std::string text) {
  compiler::ScenarioEntry entry;
  entry.value1 = position - 200;
  entry.value2 = position + 200;
  entry.value3 = position;
  entry.text = std::move(text);
  return entry;
}

TEST(StationsOf, EntriesFromOneUpToAGapOrTheFirstBoardText) {
  struct Case {
    const char* what;
    int board_entry;  // named by a board cell; 0 for none
    std::vector<int> filled;
    std::size_t stations;
  };
  const Case cases[] = {
      {"a gap before the board texts", 80, {1, 2, 3, 80}, 3},
      {"board texts right after the stations", 4, {1, 2, 3, 4}, 3},
      {"no stations at all", 80, {80}, 0},
      {"no board texts", 0, {1, 2}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    compiler::ScenarioTable table{};
    for (int entry : c.filled) table[static_cast<std::size_t>(entry)] = named(entry * 1000, "S" + std::to_string(entry));
    std::vector<RouteCell> route(10);
    if (c.board_entry != 0) route[3] = {.kind = compiler::kIndicationBoard, .param1 = static_cast<std::int16_t>(c.board_entry)};
    EXPECT_EQ(tools::stations_of(route, table).size(), c.stations);
  }
}

TEST(StationsOf, CarryPositionStretchAndTheNameInUtf8) {
  compiler::ScenarioTable table{};
  table[1] = named(3000, "CITT\xC0 ALTA");
  const auto stations = tools::stations_of({}, table);
  ASSERT_EQ(stations.size(), 1u);
  EXPECT_EQ(stations[0].entry, 1);
  EXPECT_EQ(stations[0].name, "CITT\xC3\x80 ALTA");
  EXPECT_DOUBLE_EQ(stations[0].position, 3000);
  EXPECT_DOUBLE_EQ(stations[0].stretch_start, 2800);
  EXPECT_DOUBLE_EQ(stations[0].stretch_end, 3200);
}

}  // namespace

namespace more {

TEST(GradientSteps, RunsOfEqualBytesInPerMille) {
  const auto route = cells_with({102, 102, 95, 100, 100, 0, 0}, &RouteCell::gradient);
  expect_stretches(tools::gradient_steps(route), {{0, 100, 2}, {100, 150, -5}, {150, 250, 0}});
}

TEST(DrawnLength, EndsAtTheLineUnlessSomethingLiesBeyondIt) {
  struct Case {
    const char* what;
    double line_metres;
    int object_cell;         // -1: none
    double station_position;  // -1: none
    double expected;
  };
  const Case cases[] = {
      {"nothing beyond the line", 1000, 10, 500, 1000},
      {"no line length in the header: the whole route", 0, -1, -1, 8050},
      {"an object cell beyond the line", 1000, 40, -1, 2050},
      {"a station beyond the line", 1000, -1, 3000, 3050},
      {"a line longer than the route", 9000, -1, -1, 8050},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<RouteCell> route(161);
    if (c.object_cell >= 0) route[static_cast<std::size_t>(c.object_cell)].kind = compiler::kSignal;
    std::vector<tools::Station> stations;
    if (c.station_position >= 0) stations.push_back({1, "S", c.station_position, 0, 0});
    EXPECT_DOUBLE_EQ(tools::drawn_length(route, stations, c.line_metres), c.expected);
  }
}

}  // namespace more
