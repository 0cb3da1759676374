// The route post-pass on routes laid out by hand: lowering points in front
// of signals before a warning board (rule A) and around slowdowns (rule B).

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "compiler/post_pass.h"
#include "model/model.h"

namespace {

using compiler::kLoweringPoint;
using compiler::kSignal;
using compiler::kSlowdownEnd;
using compiler::kSlowdownStart;
using compiler::kSlowdownWarning;
using compiler::kStationStop;

constexpr std::uint8_t kTaken = kStationStop;  // any object that is not a lowering point

class PostPassTest : public ::testing::Test {
 protected:
  void SetUp() override { model.size_route(97000); }  // cells 0 .. 2080

  void put(int index, std::uint8_t kind, std::int16_t param1 = 0) {
    model.route.at(static_cast<std::size_t>(index)).kind = kind;
    model.route.at(static_cast<std::size_t>(index)).param1 = param1;
  }
  // A slowdown from start to end (end < 0: none) at speed km/h.
  void slowdown(int start, int end, std::int16_t speed) {
    put(start, kSlowdownStart, speed);
    if (end >= 0) put(end, kSlowdownEnd, speed);
  }
  const compiler::RouteCell& cell(int index) const { return model.route.at(static_cast<std::size_t>(index)); }
  // The cells that hold an automatic lowering point.
  std::vector<int> points() const {
    std::vector<int> found;
    for (std::size_t i = 0; i < model.route.size(); ++i) {
      if (model.route[i].kind == kLoweringPoint && model.route[i].param1 == 180) found.push_back(static_cast<int>(i));
    }
    return found;
  }

  compiler::CompiledModel model;
};

using Points = std::vector<int>;

TEST(Minimo, TieReturnsTheFirst) {
  EXPECT_EQ(compiler::minimo(180, 250), 180);
  EXPECT_EQ(compiler::minimo(180, 100), 100);
  const double a = 0.0, b = -0.0;
  EXPECT_FALSE(std::signbit(compiler::minimo(a, b)));
  EXPECT_TRUE(std::signbit(compiler::minimo(b, a)));
}

TEST_F(PostPassTest, EmptyRouteStaysUnchanged) {
  const std::vector<compiler::RouteCell> before = model.route;
  compiler::route_post_pass(model);
  EXPECT_EQ(model.route, before);
  EXPECT_EQ(model.error_code, 0);
}

TEST_F(PostPassTest, RuleALooksBackTwentyCellsDownToCell3) {
  const struct {
    const char* name;
    int board, signal;
    Points expected;
  } cases[] = {
      {"20 cells before", 100, 80, {79}},
      {"21 cells before", 100, 79, {}},
      {"board in cell 4 sees cell 3", 4, 3, {2}},
      {"board in cell 4 does not see cell 2", 4, 2, {}},
      {"board in cell 3 sees nothing", 3, 2, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.size_route(97000);
    put(c.board, kSlowdownWarning);
    put(c.signal, kSignal);
    compiler::route_post_pass(model);
    EXPECT_EQ(points(), c.expected);
  }
}

TEST_F(PostPassTest, RuleASignalInCell3WithCell2TakenUsesCell1) {
  put(4, kSlowdownWarning);
  put(3, kSignal);
  put(2, kTaken);
  compiler::route_post_pass(model);
  EXPECT_EQ(points(), Points{1});
}

TEST_F(PostPassTest, RuleAPlacesOrCapsInFrontOfTheSignal) {
  struct Cell {
    std::uint8_t kind;
    std::int16_t param1;
  };
  const struct {
    const char* name;
    Cell one_before, two_before;
    Cell one_after, two_after;  // what the two cells hold after the pass
    std::int32_t error;
  } cases[] = {
      {"one before free", {0, 0}, {kTaken, 0}, {kLoweringPoint, 180}, {kTaken, 0}, 0},
      {"tunnel marker one before", {compiler::kTunnelMarker, 0}, {0, 0}, {kLoweringPoint, 180}, {0, 0}, 0},
      {"two before free", {kTaken, 0}, {0, 0}, {kTaken, 0}, {kLoweringPoint, 180}, 0},
      {"point of 250 capped", {kLoweringPoint, 250}, {kTaken, 0}, {kLoweringPoint, 180}, {kTaken, 0}, 0},
      {"point of 100 kept", {kLoweringPoint, 100}, {kTaken, 0}, {kLoweringPoint, 100}, {kTaken, 0}, 0},
      {"free cell wins over capping", {kLoweringPoint, 250}, {0, 0}, {kLoweringPoint, 250}, {kLoweringPoint, 180}, 0},
      {"point two before capped", {kTaken, 0}, {kLoweringPoint, 250}, {kTaken, 0}, {kLoweringPoint, 180}, 0},
      {"no room", {kTaken, 0}, {kTaken, 0}, {kTaken, 0}, {kTaken, 0}, 11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.size_route(97000);
    model.record_error(0, 0);
    put(100, kSlowdownWarning);
    put(90, kSignal);
    put(89, c.one_before.kind, c.one_before.param1);
    put(88, c.two_before.kind, c.two_before.param1);
    compiler::route_post_pass(model);
    EXPECT_EQ(cell(89).kind, c.one_after.kind);
    EXPECT_EQ(cell(89).param1, c.one_after.param1);
    EXPECT_EQ(cell(88).kind, c.two_after.kind);
    EXPECT_EQ(cell(88).param1, c.two_after.param1);
    EXPECT_EQ(model.error_code, c.error);
    if (c.error != 0) {
      EXPECT_EQ(model.error_position, 90 * 50);
    }
  }
}

TEST_F(PostPassTest, RuleATreatsEverySignalBeforeTheBoard) {
  put(100, kSlowdownWarning);
  put(95, kSignal);
  put(94, kSignal);
  put(85, kSignal);
  compiler::route_post_pass(model);
  EXPECT_EQ(points(), (Points{84, 92, 93}));
}

TEST_F(PostPassTest, LookBackGroupsDependOnTheStartCell) {
  const struct {
    int start;
    Points expected;
  } cases[] = {
      {7, {}}, {8, {3}}, {13, {8}}, {14, {3, 9}}, {20, {9, 15}}, {21, {3, 10, 16}}, {100, {82, 89, 95}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    model.size_route(97000);
    slowdown(c.start, c.start + 1, 120);
    compiler::route_post_pass(model);
    EXPECT_EQ(points(), c.expected);
  }
}

TEST_F(PostPassTest, LookBackTakesTheFirstFreeCellOfEachGroup) {
  const struct {
    const char* name;
    std::vector<int> taken;
    Points expected;
    std::int32_t error;
  } cases[] = {
      {"signal in cell 95", {95}, {82, 89, 94}, 0},
      {"two taken", {95, 94, 87}, {82, 89, 93}, 0},
      {"first group full", {95, 94, 93}, {82, 89}, 12},
      {"last group full", {82, 81, 80}, {89, 95}, 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.size_route(97000);
    model.record_error(0, 0);
    for (int t : c.taken) put(t, kSignal);
    slowdown(100, 101, 120);
    compiler::route_post_pass(model);
    EXPECT_EQ(points(), c.expected);
    EXPECT_EQ(model.error_code, c.error);
    if (c.error != 0) {
      EXPECT_EQ(model.error_position, 100 * 50);
    }
  }
}

TEST_F(PostPassTest, LookBackDoesNotCapExistingPoints) {
  put(95, kLoweringPoint, 250);
  slowdown(100, 101, 120);
  compiler::route_post_pass(model);
  EXPECT_EQ(cell(95).param1, 250);
  EXPECT_EQ(cell(94).kind, kLoweringPoint);
}

TEST_F(PostPassTest, WalkPlacesAPointEveryEightCells) {
  const struct {
    const char* name;
    std::vector<int> taken;
    Points inside;  // points between start and end
    std::int32_t error;
    int error_cell;
  } cases[] = {
      {"nothing in between", {}, {108, 116, 124}, 0, 0},
      {"cell 116 taken", {116}, {108, 115, 123}, 0, 0},
      {"116 and 115 taken", {116, 115}, {108, 117, 125}, 0, 0},
      {"no room at 116", {115, 116, 117}, {108}, 13, 116},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.size_route(97000);
    model.record_error(0, 0);
    for (int t : c.taken) put(t, kTaken);
    slowdown(100, 130, 60);
    compiler::route_post_pass(model);
    Points inside;
    for (int p : points()) {
      if (p > 100) inside.push_back(p);
    }
    EXPECT_EQ(inside, c.inside);
    EXPECT_EQ(model.error_code, c.error);
    if (c.error != 0) {
      EXPECT_EQ(model.error_position, c.error_cell * 50);
    }
  }
}

TEST_F(PostPassTest, WalkStopsAtTheEndCell) {
  slowdown(100, 108, 60);  // the eighth cell is the end: the point goes in front of it
  put(120, kSlowdownEnd, 60);
  compiler::route_post_pass(model);
  EXPECT_EQ(points(), (Points{82, 89, 95, 107}));
}

TEST_F(PostPassTest, NoWalkFrom110KmH) {
  const struct {
    std::int16_t speed;
    bool walk;
  } cases[] = {{109, true}, {110, false}, {160, false}, {-5, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.speed);
    model.size_route(97000);
    slowdown(100, 130, c.speed);
    compiler::route_post_pass(model);
    EXPECT_EQ(cell(108).kind == kLoweringPoint, c.walk);
    EXPECT_EQ(cell(95).kind, kLoweringPoint);  // look-back points either way
  }
}

TEST_F(PostPassTest, SignalAfterTheEndGetsAPoint) {
  const struct {
    const char* name;
    std::int16_t speed;
    int signal;
    std::vector<int> taken;
    int point;  // -1: none
    std::int32_t error;
  } cases[] = {
      {"12 cells after", 60, 142, {}, 141, 0},
      {"13 cells after", 60, 143, {}, -1, 0},
      {"right after the end cell", 60, 131, {}, 129, 0},
      {"cell in front taken", 60, 140, {139}, 138, 0},
      {"no room", 60, 140, {139, 138}, -1, 13},
      {"110 km/h scans from its own end", 120, 142, {}, 141, 0},
      {"110 km/h, 13 cells after", 120, 143, {}, -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.size_route(97000);
    model.record_error(0, 0);
    slowdown(100, 130, c.speed);
    put(c.signal, kSignal);
    for (int t : c.taken) put(t, kTaken);
    compiler::route_post_pass(model);
    for (int i = 126; i <= 145; ++i) {
      EXPECT_EQ(cell(i).kind == kLoweringPoint, i == c.point) << "cell " << i;
    }
    EXPECT_EQ(model.error_code, c.error);
    if (c.error != 0) {
      EXPECT_EQ(model.error_position, 130 * 50);
    }
  }
}

TEST_F(PostPassTest, FastSlowdownIgnoresWhereAnEarlierWalkEnded) {
  // A slow slowdown ends at 130 with a signal after it; a fast one from 500
  // to 505 follows, with its own signal. The fast one scans after 505, not
  // again after 130.
  slowdown(100, 130, 60);
  slowdown(500, 505, 120);
  put(140, kSignal);
  put(510, kSignal);
  compiler::route_post_pass(model);
  EXPECT_EQ(cell(139).kind, kLoweringPoint);
  EXPECT_EQ(cell(509).kind, kLoweringPoint);
  EXPECT_NE(cell(138).kind, kLoweringPoint);
  // After the fast slowdown's start, the scan from its end gives the only point.
  for (int i = 501; i <= 520; ++i) {
    EXPECT_EQ(cell(i).kind == kLoweringPoint, i == 509) << "cell " << i;
  }
  // The slowdown's end cell is where the scan started; it stays in walk_index.
  EXPECT_EQ(model.walk_index, 505);
}

TEST_F(PostPassTest, WalkAndScanStopAtTheLastCell) {
  const struct {
    const char* name;
    int start;
    std::int16_t speed;
    std::vector<int> taken;
    std::vector<int> signals;
    Points after_start;
    std::int32_t error;
  } cases[] = {
      {"walk without an end", 2068, 60, {}, {}, {2076}, 0},
      {"point in the last cell", 2072, 60, {}, {}, {2080}, 0},
      {"past the last cell counts as taken", 2072, 60, {2080, 2079}, {}, {}, 13},
      {"signal in the last cell", 2074, 60, {}, {2080}, {2079}, 0},
      {"fast slowdown without an end", 2070, 120, {}, {2080}, {2079}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.size_route(97000);
    model.record_error(0, 0);
    slowdown(c.start, -1, c.speed);
    for (int t : c.taken) put(t, kTaken);
    for (int s : c.signals) put(s, kSignal);
    compiler::route_post_pass(model);
    Points after;
    for (int p : points()) {
      if (p > c.start) after.push_back(p);
    }
    EXPECT_EQ(after, c.after_start);
    EXPECT_EQ(model.error_code, c.error);
  }
}

TEST_F(PostPassTest, LastTwoCellsAreNeverCentres) {
  put(2079, kSlowdownWarning);
  put(2075, kSignal);
  put(2080, kSlowdownStart, 60);
  compiler::route_post_pass(model);
  EXPECT_EQ(points(), Points{});

  model.size_route(97000);
  put(2078, kSlowdownWarning);
  put(2075, kSignal);
  compiler::route_post_pass(model);
  EXPECT_EQ(points(), Points{2074});
}

TEST_F(PostPassTest, ErrorsDoNotStopThePass) {
  // Error 11 at the first board, then a later slowdown with a full group.
  put(100, kSlowdownWarning);
  put(90, kSignal);
  put(89, kTaken);
  put(88, kTaken);
  put(495, kTaken);
  put(494, kTaken);
  put(493, kTaken);
  slowdown(500, 501, 120);
  put(1000, kSlowdownWarning);
  put(990, kSignal);
  compiler::route_post_pass(model);
  EXPECT_EQ(model.error_code, 12);
  EXPECT_EQ(model.error_position, 500 * 50);
  EXPECT_EQ(cell(989).kind, kLoweringPoint);
  EXPECT_EQ(cell(489).kind, kLoweringPoint);
}

}  // namespace
