// Slowdowns and lowering records: their cells, the cells they refuse, and
// the order in which they check and write.

#include <string>

#include "train/train_fixture.h"

namespace train_test {
namespace {

using compiler::kLoweringOther;
using compiler::kLoweringPoint;
using compiler::kSlowdownApproach;
using compiler::kSlowdownEnd;
using compiler::kSlowdownStart;
using compiler::kSlowdownWarning;

std::string slowdown(int x, int v, int l, int f_tt, int f_ta, int d_v) {
  return "rallentamento, " + std::to_string(x) + ", " + std::to_string(v) + ", " + std::to_string(l) +
         ", " + std::to_string(f_tt) + ", " + std::to_string(f_ta) + ", " + std::to_string(d_v);
}

using SlowdownTest = TrainFile;

TEST_F(SlowdownTest, AllCellsOfASlowdownWithBoards) {
  ASSERT_TRUE(compile(slowdown(5000, 60, 1000, 3, 1, 2)));
  const struct {
    int index, kind, param1, param2, param3;
  } expected[] = {
      {101, kSlowdownStart, 60, 2, 3}, {121, kSlowdownEnd, 60, 2, 3}, {77, kSlowdownWarning, 60, 2, 0},
      {76, kSlowdownApproach, 1, 1, 0}, {75, kSlowdownApproach, 2, 2, 0}, {74, kSlowdownApproach, 3, 3, 0},
      {73, kSlowdownApproach, 4, 4, 0}, {72, 0, 0, 0, 0}, {78, 0, 0, 0, 0},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.index);
    EXPECT_EQ(cell(e.index).kind, e.kind);
    EXPECT_EQ(cell(e.index).param1, e.param1);
    EXPECT_EQ(cell(e.index).param2, e.param2);
    EXPECT_EQ(cell(e.index).param3, e.param3);
  }
  EXPECT_EQ(model.error_code, 0);
}

TEST_F(SlowdownTest, ZeroSpeedDropLeavesParam2) {
  ASSERT_TRUE(compile(slowdown(5000, 60, 1000, 3, 1, 0)));
  for (int i : {101, 121, 77, 76, 73}) EXPECT_EQ(cell(i).param2, 0) << "cell " << i;
}

TEST_F(SlowdownTest, NoWarningOrBoardsWithin1500Metres) {
  const struct {
    int x;
    int warning;  // -1: none
    int first_board;
  } cases[] = {{1000, -1, -1}, {1500, -1, -1}, {1550, 8, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    model.size_route(97000);
    ASSERT_TRUE(compile(slowdown(c.x, 60, 500, 0, 1, 0)));
    EXPECT_EQ(model.error_code, 0);
    for (int i = 0; i < 30; ++i) {
      const compiler::RouteCell& r = cell(i);
      if (i == c.warning) {
        EXPECT_EQ(r.kind, kSlowdownWarning);
      } else if (c.first_board >= 0 && i <= c.first_board && i > c.first_board - 4) {
        EXPECT_EQ(r.kind, kSlowdownApproach) << "cell " << i;
      } else {
        EXPECT_NE(r.kind, kSlowdownWarning) << "cell " << i;
        EXPECT_NE(r.kind, kSlowdownApproach) << "cell " << i;
      }
    }
  }
}

TEST_F(SlowdownTest, TakenWarningStartOrEndWritesNothing) {
  const struct {
    int taken;
    std::int32_t error;
  } cases[] = {{77, 17}, {101, 18}, {121, 19}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    model.size_route(97000);
    cell(c.taken).kind = compiler::kSignal;
    ASSERT_TRUE(compile(slowdown(5000, 60, 1000, 3, 1, 2) + "\nsabbia, 4"));
    EXPECT_EQ(model.error_code, c.error);
    EXPECT_EQ(model.error_position, 5000);
    for (int i = 60; i <= 130; ++i) {
      if (i != c.taken) {
        EXPECT_EQ(cell(i), compiler::RouteCell{}) << "cell " << i;
      }
    }
    EXPECT_EQ(entry(86).word1, 0);
    EXPECT_FALSE(file_left());
  }
}

TEST_F(SlowdownTest, CollidingBoardsKeepTheSlowdown) {
  cell(74).kind = compiler::kStationStop;
  ASSERT_TRUE(compile(slowdown(5000, 60, 1000, 3, 1, 2)));
  EXPECT_EQ(model.error_code, 20);
  EXPECT_EQ(model.error_position, 5000);
  EXPECT_EQ(cell(101).kind, kSlowdownStart);
  EXPECT_EQ(cell(121).kind, kSlowdownEnd);
  EXPECT_EQ(cell(77).kind, kSlowdownWarning);
  for (int i : {76, 75, 73}) EXPECT_EQ(cell(i).kind, 0) << "cell " << i;
}

TEST_F(SlowdownTest, WarningAndFirstBoardShareACellOnAnOddHalf) {
  // (x - 1200) / 50 = 7.5: warning round(8.5) = 8, first board round(7.5) = 8.
  ASSERT_TRUE(compile(slowdown(1575, 60, 500, 0, 1, 0)));
  EXPECT_EQ(model.error_code, 20);
  EXPECT_EQ(cell(8).kind, kSlowdownWarning);
  EXPECT_EQ(cell(7).kind, 0);

  // 8.5: warning round(9.5) = 10, boards from round(8.5) = 8.
  model.size_route(97000);
  model.record_error(0, 0);
  ASSERT_TRUE(compile(slowdown(1625, 60, 500, 0, 1, 0)));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(cell(10).kind, kSlowdownWarning);
  EXPECT_EQ(cell(9).kind, 0);
  EXPECT_EQ(cell(8).kind, kSlowdownApproach);
  EXPECT_EQ(cell(5).kind, kSlowdownApproach);
}

TEST_F(SlowdownTest, ShortSlowdownInOneCellKeepsTheStartKind) {
  // The end cell is written first and the start cell after it, so when both
  // round to the same cell that cell holds the start.
  const struct {
    int x, l;
    int start, end;
  } cases[] = {
      {5000, 0, 101, 101},    // no length at all
      {5000, 24, 101, 101},   // 101.48 rounds down
      {6425, 25, 130, 130},   // start round(129.5) = 130, end round(130) = 130
      {725, 50, 16, 16},      // start round(15.5) = 16, end round(16.5) = 16
      {5000, 25, 101, 102},   // end round(101.5) = 102: two cells
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "x " << c.x << ", l " << c.l);
    model.size_route(97000);
    ASSERT_TRUE(compile(slowdown(c.x, 40, c.l, 3, 0, 7)));
    EXPECT_EQ(model.error_code, 0);
    EXPECT_EQ(cell(c.start).kind, kSlowdownStart);
    if (c.end != c.start) {
      EXPECT_EQ(cell(c.end).kind, kSlowdownEnd);
    }
    for (int i : {c.start, c.end}) {
      EXPECT_EQ(cell(i).param1, 40) << "cell " << i;
      EXPECT_EQ(cell(i).param2, 7) << "cell " << i;
      EXPECT_EQ(cell(i).param3, 3) << "cell " << i;
    }
  }
}

TEST_F(SlowdownTest, CellOutsideTheRouteFailsBeforeAnyWrite) {
  const std::string cases[] = {
      slowdown(103000, 60, 5000, 0, 1, 0),   // end past the last cell
      slowdown(20000, 60, -25000, 0, 1, 0),  // end before cell 0
  };
  for (const std::string& record : cases) {
    SCOPED_TRACE(record);
    model.size_route(97000);
    EXPECT_FALSE(compile(record));
    for (const auto& r : model.route) ASSERT_EQ(r.kind, 0);
    EXPECT_FALSE(file_left());
  }
}

TEST_F(SlowdownTest, MemoRallentamentoIgnoresBoardsNearTheStart) {
  compiler::TrainParser parser(model, bare_context());
  std::int32_t v = 40, l = 300, f_tt = 1, d_v = 0;
  EXPECT_TRUE(parser.memo_rallentamento(400, v, l, f_tt, 1, d_v));
  EXPECT_EQ(cell(9).kind, kSlowdownStart);
  EXPECT_EQ(cell(15).kind, kSlowdownEnd);
  EXPECT_FALSE(parser.memo_rallentamento(400, v, l, f_tt, 1, d_v));
  EXPECT_EQ(model.error_code, 18);
}

TEST_F(SlowdownTest, LoweringRecords) {
  const struct {
    const char* record;
    int index, kind, param1;
  } cases[] = {
      {"abbattimento, 1000, 90", 20, kLoweringPoint, 90},
      {"abbattimento, 1000, 0", 20, kLoweringOther, 0},
      {"abbattimento, 1000, -5", 20, kLoweringOther, 0},
      {"abbattimento, 1025, 90", 20, kLoweringPoint, 90},
      {"abbattimento, 1075, 70000", 22, kLoweringPoint, 70000 - 65536},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record);
    model.size_route(97000);
    ASSERT_TRUE(compile(c.record));
    EXPECT_EQ(model.error_code, 0);
    EXPECT_EQ(cell(c.index).kind, c.kind);
    EXPECT_EQ(cell(c.index).param1, c.param1);
  }
}

TEST_F(SlowdownTest, LoweringRecordNeedsAFreeCellInTheRoute) {
  cell(20).kind = compiler::kTunnelMarker;
  cell(40).kind = compiler::kIndicationBoard;
  ASSERT_TRUE(compile("abbattimento, 1000, 90\nabbattimento, 2000, 90\nsabbia, 3"));
  EXPECT_EQ(cell(20).kind, kLoweringPoint);
  EXPECT_EQ(cell(40).kind, compiler::kIndicationBoard);
  EXPECT_EQ(model.error_code, 7);
  EXPECT_EQ(model.error_position, 2000);
  EXPECT_EQ(entry(86).word1, 0);

  model.size_route(97000);
  EXPECT_FALSE(compile("abbattimento, -100, 90"));
  EXPECT_FALSE(file_left());
}

}  // namespace
}  // namespace train_test
