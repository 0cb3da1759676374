// Signals: the packed signal cell, its four approach markers and the cells
// it refuses.

#include <string>

#include "train/train_fixture.h"

namespace train_test {
namespace {

using compiler::kSignal;

using SignalTest = TrainFile;

TEST_F(SignalTest, EmbeddedSignalAt1050) {
  ASSERT_TRUE(compile("segnale,    1050,   2, 4, 1,  0, 0,    0,  0,0,0, 0"));
  const compiler::RouteCell& c = cell(22);
  EXPECT_EQ(c.kind, kSignal);
  EXPECT_EQ(c.param1, 40);
  EXPECT_EQ(c.param2, 10);
  EXPECT_EQ(c.param3, 0);
  EXPECT_EQ(c.param4, 6);
  EXPECT_EQ(c.param5, 0);
  EXPECT_EQ(cell(20).marker, 61);
  EXPECT_EQ(cell(18).marker, 62);
  EXPECT_EQ(cell(16).marker, 63);
  EXPECT_EQ(cell(14).marker, 64);
  for (int i : {12, 13, 15, 17, 19, 21, 22, 23}) EXPECT_EQ(cell(i).marker, 0) << "cell " << i;
}

TEST_F(SignalTest, GroupsPackIntoTensAndUnits) {
  ASSERT_TRUE(compile("segnale, 24050, 1, 4, 1, 0, 2, 1, 3, 1, 5, 0"));
  const compiler::RouteCell& c = cell(482);
  EXPECT_EQ(c.param1, 43);
  EXPECT_EQ(c.param2, 11);
  EXPECT_EQ(c.param3, 5);
  EXPECT_EQ(c.param4, 24);
  EXPECT_EQ(cell(480).marker, 41);
  EXPECT_EQ(cell(474).marker, 44);
}

TEST_F(SignalTest, TimeIsRaisedAndKeptOnlyForLeftKind2) {
  const struct {
    int sx, tempo, stored;
  } cases[] = {
      {2, 0, 0},   {2, 1, 101},   {2, 50, 101},  {2, 100, 101}, {2, 101, 101},
      {2, 230, 230}, {2, -5, 251}, {2, 300, 44},  {1, 215, 0},   {1, 50, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("sx " + std::to_string(c.sx) + " tempo " + std::to_string(c.tempo));
    model.size_route(97000);
    ASSERT_TRUE(compile("segnale, 5000, " + std::to_string(c.sx) + ", 3, 1, 0, 0, 0, 0, 0, 0, " +
                        std::to_string(c.tempo)));
    EXPECT_EQ(cell(101).param5, c.stored);
  }
}

TEST_F(SignalTest, CellRoundsHalfToEven) {
  const struct {
    int position, cell;
  } cases[] = {{1075, 22}, {1125, 24}, {1074, 22}, {1076, 23}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    model.size_route(97000);
    ASSERT_TRUE(compile("segnale, " + std::to_string(c.position) + ", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0"));
    EXPECT_EQ(cell(c.cell).kind, kSignal);
    EXPECT_EQ(cell(c.cell - 8).marker, 34);
  }
}

TEST_F(SignalTest, TakenCellIsError16AndNothingIsWritten) {
  cell(22).kind = compiler::kSpeedBoards;
  for (auto& r : model.route) r.speed_limit = 99;
  ASSERT_TRUE(compile("sabbia, 1\nsegnale, 1050, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\nsabbia, 2"));
  EXPECT_EQ(model.error_code, 16);
  EXPECT_EQ(model.error_position, 1050);
  EXPECT_EQ(cell(22).kind, compiler::kSpeedBoards);
  EXPECT_EQ(cell(20).marker, 0);
  EXPECT_EQ(entry(86).word1, 1);
  EXPECT_EQ(cell(500).speed_limit, 99);
  EXPECT_FALSE(file_left());
  ASSERT_TRUE(source.has_value());
  EXPECT_EQ(source->line, 3);
  EXPECT_EQ(source->column, 10) << "the signal's position field";
}

TEST_F(SignalTest, TunnelMarkerGivesWay) {
  cell(22).kind = compiler::kTunnelMarker;
  ASSERT_TRUE(compile("segnale, 1050, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(cell(22).kind, kSignal);
}

TEST_F(SignalTest, MarkersMustFitBeforeTheSignal) {
  // At 325 m the signal is in cell 8 and its last marker in cell 0; at 324 m
  // it would be in cell 7, the last marker before the route's start.
  ASSERT_TRUE(compile("segnale, 325, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0"));
  EXPECT_EQ(cell(8).kind, kSignal);
  EXPECT_EQ(cell(0).marker, 34);

  model.size_route(97000);
  EXPECT_FALSE(compile("segnale, 324, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0"));
  EXPECT_EQ(cell(7).kind, 0);
  for (int i : {5, 3, 1}) EXPECT_EQ(cell(i).marker, 0) << "cell " << i;
  EXPECT_FALSE(file_left());
}

TEST_F(SignalTest, MemoSegnaleRaisesTempoForTheCaller) {
  compiler::TrainParser parser(model, bare_context());
  std::int32_t sx = 2, s1 = 4, s2 = 1, s3 = 0, rapp = 0, dx = 0, d1 = 0, d2 = 0, d3 = 0, tempo = 20;
  EXPECT_TRUE(parser.memo_segnale(7050, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo));
  EXPECT_EQ(tempo, 101);
  EXPECT_EQ(cell(142).param5, 101);
  EXPECT_FALSE(parser.memo_segnale(7050, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo));
  EXPECT_EQ(model.error_code, 16);
}

}  // namespace
}  // namespace train_test
