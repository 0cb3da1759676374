// The record loop of the line description: which fields count as records,
// the range check, gradients, mountain stretches and both kinds of board.

#include <string>
#include <vector>

#include "tests/line/line_fixture.h"

namespace line_test {
namespace {

using compiler::CompiledModel;
using compiler::RouteCell;

// On a 97000 m line the route has cells 0 .. 2080.
constexpr std::int32_t kLength = 97000;

std::vector<std::uint8_t> gradients(const CompiledModel& model, std::size_t first, std::size_t last) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = first; i <= last; ++i) bytes.push_back(model.route[i].gradient);
  return bytes;
}

std::vector<std::uint8_t> repeated(std::size_t count, std::uint8_t value) { return std::vector<std::uint8_t>(count, value); }

class RecordLoopTest : public LineFixture {};

TEST_F(RecordLoopTest, LastFieldOfTheFileIsNeverHandled) {
  // A keyword standing last would need fields it does not have.
  const CompiledModel model = compile(lines({"[generale]", "lunghezza percorso,    97000", "[cartelli]",
                                             "indicatori_vmax,  1000,  105,  115,  120,  0,  ,  ,  ,  0",
                                             "cartello_indicatore"}));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(model.route[21].kind, compiler::kSpeedBoards);
  EXPECT_FALSE(line_file_left());
  EXPECT_FALSE(train_file_left());
}

TEST_F(RecordLoopTest, RecordAfterTheClosingLineIsStillHandled) {
  const CompiledModel model = compile(lines({"[generale]", "lunghezza percorso,    97000", "[fine]",
                                             "pendenza,  0,   4", "[fine]"}));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(model.route[0].gradient, 104);
}

TEST_F(RecordLoopTest, RecordsAreFoundUnderAnyHeaderIgnoringCase) {
  const CompiledModel model = compile(line_file(kLength, {"[indicazioni]", "PENDENZA,  0,   4",
                                                          "[pendenze]", "Cartello_Indicatore,  1000,   (PONTE)"}));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(model.route[0].gradient, 104);
  EXPECT_EQ(model.route[21].kind, compiler::kIndicationBoard);
  EXPECT_EQ(model.scenario_table[80].text, "(PONTE)");
}

// A keyword field holding a hyphen is discarded, at most twice in a row.
TEST_F(RecordLoopTest, HyphenFieldsAreSkippedUpToTwoInARow) {
  struct Case {
    int hyphen_lines;
    std::uint8_t gradient;
  };
  const std::vector<Case> cases = {
      {0, 100},  // the keyword holds a hyphen: discarded with its numbers read as keywords
      {1, 100},  // the second discard takes the keyword
      {2, 107},  // two discards used up: the keyword is kept and handled
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hyphen_lines);
    std::vector<std::string> records(static_cast<std::size_t>(c.hyphen_lines), "-- nota --");
    records.push_back("pendenza-a,  0,   7");
    const CompiledModel model = compile(line_file(kLength, records));
    EXPECT_EQ(model.error_code, 0);
    EXPECT_EQ(model.route[0].gradient, c.gradient);
  }
}

TEST_F(RecordLoopTest, MissingFieldInARecordIsAReadingFailure) {
  const CompiledModel model = compile(line_file(kLength, {"montagna,   1000,  2000"}));
  EXPECT_EQ(model.error_code, 25);
  EXPECT_EQ(model.error_position, kUntouchedPosition);
  EXPECT_FALSE(line_file_left());
  EXPECT_FALSE(train_file_left());
  ASSERT_TRUE(error_source().has_value());
  EXPECT_EQ(error_source()->line, 4);
}

TEST_F(RecordLoopTest, PositionedRecordBeforeTheLengthIsAReadingFailure) {
  const std::vector<std::string> records = {
      "pendenza,  0,   2",
      "curvas2,  1000,  400",
      "montagna,   1000,  2000,  2",
      "indicatori_vmax,  1000,  105,  115,  120,  0,  ,  ,  ,  0",
      "cartello_indicatore,  1000,   (X)",
  };
  for (const std::string& record : records) {
    SCOPED_TRACE(record);
    const CompiledModel model = compile(lines({"[generale]", "sfondo uno,    1", "[curve]", record, "[fine]"}));
    EXPECT_EQ(model.error_code, 25);
    EXPECT_EQ(model.error_position, kUntouchedPosition);
    EXPECT_FALSE(model.route_sized());
    EXPECT_FALSE(line_file_left());
    EXPECT_FALSE(train_file_left());
  }
}

TEST_F(RecordLoopTest, LineWithoutLengthAndWithoutRecordsHasNoRoute) {
  const CompiledModel model = compile(lines({"[generale]", "sfondo uno,    1", "[fine]"}));
  EXPECT_FALSE(model.route_sized());
  EXPECT_EQ(model.error_code, 25) << "the last gradient has no cell to run into";
}

class RangeCheckTest : public LineFixture {};

struct RangeCase {
  std::string record;  // "%" stands for the position
  std::int64_t position;
  bool accepted;
};

std::string with_position(std::string record, std::int64_t position) {
  return record.replace(record.find('%'), 1, std::to_string(position));
}

// (position + 100) / 50 compared exactly with the last cell, 2080 here.
TEST_F(RangeCheckTest, EveryPositionedRecordIsCheckedOnItsStart) {
  const std::vector<std::string> records = {
      "pendenza,  %,   2",
      "curvad3,  %,  10",
      "montagna,   %,  300000,  12",
      "indicatori_vmax,  %,  105,  115,  120,  0,  ,  ,  ,  0",
      "cartello_indicatore,  %,   (X)",
  };
  const std::vector<std::pair<std::int64_t, bool>> positions = {
      {103900, true}, {103901, false}, {103950, false}, {2147483647, false}};
  for (const std::string& record : records) {
    for (const auto& [position, accepted] : positions) {
      const std::string line = with_position(record, position);
      SCOPED_TRACE(line);
      const CompiledModel model = compile(line_file(kLength, {line, "indicatori_vmax,  500,  60,  65,  70,  0,  ,  ,  ,  0"}));
      if (accepted) {
        EXPECT_EQ(model.error_code, 0);
        EXPECT_EQ(model.route[11].kind, compiler::kSpeedBoards) << "the records after it are read";
      } else {
        EXPECT_EQ(model.error_code, 15);
        EXPECT_EQ(model.error_position, position);
        EXPECT_EQ(model.route[11].kind, compiler::kNoObject) << "the record loop ends at error 15";
        ASSERT_TRUE(error_source().has_value());
        EXPECT_EQ(error_source()->line, 4);
      }
    }
  }
}

TEST_F(RangeCheckTest, ErrorFifteenStillEndsTheLineAndRunsTheTrainHalf) {
  const CompiledModel model = compile(line_file(kLength, {"pendenza,  0,   2", "pendenza,  103950,   5"}));
  EXPECT_EQ(model.error_code, 15);
  EXPECT_EQ(model.error_position, 103950);
  EXPECT_EQ(gradients(model, 0, 2077), repeated(2078, 102)) << "the last gradient still runs on";
  EXPECT_EQ(gradients(model, 2078, 2080), repeated(3, 0));
  EXPECT_EQ(model.track_plan.tag(104000 - 2), compiler::PlanTag::kDouble) << "the plan is still finished";
  EXPECT_FALSE(line_file_left());
  EXPECT_FALSE(train_file_left());
}

class GradientTest : public LineFixture {};

TEST_F(GradientTest, EachValueHoldsFromItsCellToTheNextRecord) {
  const CompiledModel model = compile(line_file(kLength, {
      "pendenza,  0,   2", "pendenza,  2000,   0", "pendenza,  3500,   5", "pendenza,  3800,   -12",
      "pendenza,  96600,   0"}));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(gradients(model, 0, 39), repeated(40, 102));
  EXPECT_EQ(gradients(model, 40, 69), repeated(30, 100));
  EXPECT_EQ(gradients(model, 70, 75), repeated(6, 105));
  EXPECT_EQ(gradients(model, 76, 1931), repeated(1856, 88));
  EXPECT_EQ(gradients(model, 1932, 2077), repeated(146, 100));
  EXPECT_EQ(gradients(model, 2078, 2080), repeated(3, 0)) << "the last three cells keep 0";
}

TEST_F(GradientTest, CellOfAPositionRoundsHalvesToEven) {
  struct Case {
    std::int32_t position;
    std::size_t cell;
  };
  for (const Case c : {Case{1025, 20}, Case{1075, 22}, Case{1024, 20}, Case{1026, 21}}) {
    SCOPED_TRACE(c.position);
    const CompiledModel model =
        compile(line_file(kLength, {"pendenza,  0,   3", "pendenza,  " + std::to_string(c.position) + ",   7"}));
    EXPECT_EQ(gradients(model, 0, c.cell - 1), repeated(c.cell, 103));
    EXPECT_EQ(model.route[c.cell].gradient, 107);
  }
}

TEST_F(GradientTest, StoredByteKeepsTheLowBits) {
  const CompiledModel model = compile(line_file(kLength, {"pendenza,  0,   200", "pendenza,  100,   -101"}));
  EXPECT_EQ(model.route[0].gradient, 44);  // 300 in 8 bits
  EXPECT_EQ(model.route[2].gradient, 255);  // -1 in 8 bits
}

TEST_F(GradientTest, RecordOutOfOrderStillLaysDownOneCell) {
  const CompiledModel model =
      compile(line_file(kLength, {"pendenza,  0,   1", "pendenza,  1000,   2", "pendenza,  500,   3"}));
  EXPECT_EQ(gradients(model, 0, 19), repeated(20, 101));
  EXPECT_EQ(model.route[20].gradient, 102);
  EXPECT_EQ(model.route[21].gradient, 103);
}

TEST_F(GradientTest, RecordAtZeroOrBeforeOnlySetsTheStartingValue) {
  const CompiledModel model = compile(line_file(kLength, {"pendenza,  -500,   9", "pendenza,  0,   4"}));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(gradients(model, 0, 2077), repeated(2078, 104));
}

// On a 1000 m line (cells 0 .. 160) the last accepted position is 7900,
// cell 158. Each further record there pushes the fill one cell on.
TEST_F(GradientTest, FillPastTheLastCellIsAReadingFailure) {
  struct Case {
    int records_at_the_end;
    std::int32_t error_code;
  };
  for (const Case c : {Case{3, 0}, Case{4, 25}, Case{5, 25}}) {
    SCOPED_TRACE(c.records_at_the_end);
    const CompiledModel model = compile(
        line_file(1000, std::vector<std::string>(static_cast<std::size_t>(c.records_at_the_end), "pendenza,  7900,   1")));
    EXPECT_EQ(model.error_code, c.error_code);
    EXPECT_FALSE(line_file_left());
    EXPECT_FALSE(train_file_left());
  }
}

// The same failure while the last gradient runs on, once the file is read:
// no record is to blame, not even the one that recorded error 15 before it.
TEST_F(GradientTest, FailureAfterTheReadingPointsAtNoRecord) {
  std::vector<std::string> records(4, "pendenza,  7900,   1");
  records.push_back("pendenza,  7950,   1");
  const CompiledModel model = compile(line_file(1000, records));
  EXPECT_EQ(model.error_code, 25);
  ASSERT_TRUE(error_source().has_value());
  EXPECT_EQ(error_source()->line, 0);
  EXPECT_FALSE(line_file_left());
  EXPECT_FALSE(train_file_left());
}

class MountainTest : public LineFixture {};

std::vector<std::size_t> marker_cells(const CompiledModel& model) {
  std::vector<std::size_t> cells;
  for (std::size_t i = 0; i < model.route.size(); ++i) {
    if (model.route[i].kind == compiler::kTunnelMarker) cells.push_back(i);
  }
  return cells;
}

std::vector<std::size_t> every_fourth(std::size_t first, std::size_t last) {
  std::vector<std::size_t> cells;
  for (std::size_t i = first; i <= last; i += 4) cells.push_back(i);
  return cells;
}

TEST_F(MountainTest, LongStretchWithMarkers) {
  const CompiledModel model = compile(line_file(kLength, {"montagna,   37250,  55750,  11"}));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(model.route[744].tunnel, 0);
  for (std::size_t i = 745; i <= 1114; ++i) ASSERT_EQ(model.route[i].tunnel, 1) << i;
  EXPECT_EQ(model.route[1115].tunnel, 0);
  EXPECT_EQ(marker_cells(model), every_fourth(748, 1112));
  EXPECT_EQ(model.tunnel_count, 1);
  EXPECT_EQ(model.tunnel_starts[1], 37250);
  EXPECT_EQ(model.tunnel_ends[1], 55750);
}

struct StretchCase {
  const char* name;
  std::vector<std::string> records;
  std::size_t probe_cell;
  std::uint8_t tunnel;
  bool markers;
};

TEST_F(MountainTest, TypeFollowsTheGapToThePreviousStretch) {
  const std::vector<StretchCase> cases = {
      {"50 m after the previous end", {"montagna,   18800,  18850,  2", "montagna,   18900,  19100,  2"}, 378, 3, false},
      {"150 m after", {"montagna,   1000,  2000,  2", "montagna,   2150,  3000,  12"}, 43, 3, true},
      {"151 m after", {"montagna,   1000,  2000,  2", "montagna,   2151,  3000,  12"}, 43, 2, true},
      {"overlapping the previous", {"montagna,   1000,  5000,  1", "montagna,   3000,  4000,  1"}, 60, 3, false},
      {"first stretch keeps its type", {"montagna,   100,  3000,  2"}, 2, 2, false},
      {"type 12 joined still gets markers", {"montagna,   70000,  72500,  2", "montagna,   72600,  79700,  12"}, 1452, 3, true},
  };
  for (const StretchCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CompiledModel model = compile(line_file(kLength, c.records));
    EXPECT_EQ(model.error_code, 0);
    EXPECT_EQ(model.route[c.probe_cell].tunnel, c.tunnel);
    EXPECT_EQ(!marker_cells(model).empty(), c.markers);
  }
}

TEST_F(MountainTest, CellsAndMarkersOfOneStretch) {
  const std::vector<StretchCase> cases = {
      // first = round(inizio / 50), last = round(fine / 50 - 1)
      {"rounded ends", {"montagna,   1025,  1275,  12"}, 20, 2, true},
      {"empty stretch", {"montagna,   1000,  1000,  12"}, 20, 0, false},
      {"one cell", {"montagna,   1000,  1050,  12"}, 20, 2, false},
  };
  for (const StretchCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CompiledModel model = compile(line_file(kLength, c.records));
    EXPECT_EQ(model.route[c.probe_cell].tunnel, c.tunnel);
    EXPECT_EQ(!marker_cells(model).empty(), c.markers);
  }
  const CompiledModel rounded = compile(line_file(kLength, {"montagna,   1025,  1275,  12"}));
  EXPECT_EQ(rounded.route[19].tunnel, 0);
  EXPECT_EQ(rounded.route[24].tunnel, 2);  // 1275 / 50 - 1 = 24.5 rounds to 24
  EXPECT_EQ(rounded.route[25].tunnel, 0);
  EXPECT_EQ(marker_cells(rounded), std::vector<std::size_t>{23});
}

TEST_F(MountainTest, MarkersOnlyWhereNoObjectStands) {
  const CompiledModel model = compile(line_file(kLength, {
      "indicatori_vmax,  1150,  105,  115,  120,  0,  ,  ,  ,  0",  // cell 24
      "montagna,   1050,  2000,  11"}));
  EXPECT_EQ(model.route[24].kind, compiler::kSpeedBoards);
  EXPECT_EQ(model.route[24].tunnel, 1);
  EXPECT_EQ(marker_cells(model), (std::vector<std::size_t>{28, 32, 36}));
}

TEST_F(MountainTest, LaterStretchOverwritesTheEarlierTunnelBytes) {
  const CompiledModel model =
      compile(line_file(kLength, {"montagna,   1000,  3000,  2", "montagna,   2000,  2500,  11"}));
  EXPECT_EQ(model.route[30].tunnel, 2);
  EXPECT_EQ(model.route[40].tunnel, 3);  // joined to the first: type 3
  EXPECT_EQ(model.route[55].tunnel, 2);
}

TEST_F(MountainTest, StretchPastTheRouteEndIsCut) {
  const CompiledModel model = compile(line_file(1000, {"montagna,   7000,  99000,  12"}));
  EXPECT_EQ(model.error_code, 0);
  for (std::size_t i = 140; i <= 160; ++i) EXPECT_EQ(model.route[i].tunnel, 2) << i;
  EXPECT_EQ(marker_cells(model), every_fourth(143, 159));
}

TEST_F(MountainTest, StretchBeforeTheRouteStartWritesNothing) {
  struct Case {
    const char* record;
    std::int32_t error_code;
  };
  const std::vector<Case> cases = {
      {"montagna,   -100,  1000,  11", 25},  // its first cell would be -2
      {"montagna,   -500,  -500,  2", 0},    // no cell at all: nothing to write
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    const CompiledModel model = compile(line_file(kLength, {"pendenza,  0,   5", c.record}));
    EXPECT_EQ(model.error_code, c.error_code);
    EXPECT_EQ(model.error_position, kUntouchedPosition);
    for (const RouteCell& cell : model.route) ASSERT_EQ(cell.tunnel, 0);
    EXPECT_FALSE(line_file_left());
    EXPECT_FALSE(train_file_left());
  }
}

TEST_F(MountainTest, EightyStretchesFitAndTheNextIsAReadingFailure) {
  for (const int count : {80, 81}) {
    SCOPED_TRACE(count);
    std::vector<std::string> records;
    for (int i = 0; i < count; ++i) {
      records.push_back("montagna,   " + std::to_string(1000 * i) + ",  " + std::to_string(1000 * i + 500) + ",  2");
    }
    const CompiledModel model = compile(line_file(kLength, records));
    EXPECT_EQ(model.error_code, count == 80 ? 0 : 25);
    EXPECT_EQ(model.tunnel_count, 80);
    EXPECT_EQ(model.tunnel_starts[80], 79000);
  }
}

class SpeedBoardTest : public LineFixture {};

struct BoardCase {
  std::string record;
  std::size_t cell;
  std::int16_t param1, param2, param3, param4;
};

TEST_F(SpeedBoardTest, PacksSpeedsAndStripes) {
  const std::vector<BoardCase> cases = {
      {"indicatori_vmax,  1000,  105,  115,  120,  0,  ,  ,  ,  0", 21, 2100, 2300, 2400, 0},
      {"indicatori_vmax,  54150,  110,  120,  125,  2,  110,  120,  125,  2", 1084, 2222, 2424, 2525, 22},
      {"indicatori_vmax,  60100,  125,  135,  140,  0,  125,  130,  140,  0", 1203, 2525, 2726, 2828, 0},
      {"indicatori_vmax,  24,  60,  60,  60,  1,  12,  13,  2,  0", 1, 1202, 1203, 1200, 10},  // below 25 m: cell 1
      {"indicatori_vmax,  25,  60,  60,  60,  0,  ,  ,  ,  0", 2, 1200, 1200, 1200, 0},
      {"indicatori_vmax,  -75,  60,  60,  60,  0,  ,  ,  ,  0", 0, 1200, 1200, 1200, 0},  // -0.5 rounds to 0
      {"indicatori_vmax,  1000,  1638,  -1638,  0,  10000,  35,  -40,  -2,  5", 21, 32767, -32768, 0, -31067},
  };
  for (const BoardCase& c : cases) {
    SCOPED_TRACE(c.record);
    const CompiledModel model = compile(line_file(kLength, {c.record}));
    EXPECT_EQ(model.error_code, 0);
    const RouteCell& cell = model.route[c.cell];
    EXPECT_EQ(cell.kind, compiler::kSpeedBoards);
    EXPECT_EQ(cell.param1, c.param1);
    EXPECT_EQ(cell.param2, c.param2);
    EXPECT_EQ(cell.param3, c.param3);
    EXPECT_EQ(cell.param4, c.param4);
  }
}

TEST_F(SpeedBoardTest, ReplacesATunnelMarker) {
  const CompiledModel model = compile(line_file(kLength, {
      "montagna,   37250,  55750,  11", "indicatori_vmax,  37350,  105,  115,  120,  0,  ,  ,  ,  0"}));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(model.route[748].kind, compiler::kSpeedBoards);
  EXPECT_EQ(model.route[748].tunnel, 1);
}

TEST_F(SpeedBoardTest, TakenCellStopsTheReadingWithErrorTwentyOne) {
  const CompiledModel model = compile(line_file(kLength, {
      "cartello_indicatore,  1000,   (X)", "indicatori_vmax,  1000,  105,  115,  120,  0,  ,  ,  ,  0",
      "pendenza,  0,   5"}));
  EXPECT_EQ(model.error_code, 21);
  EXPECT_EQ(model.error_position, 1000);
  EXPECT_EQ(model.route[21].kind, compiler::kIndicationBoard);
  EXPECT_EQ(model.route[0].gradient, 0) << "nothing after the error is read";
  EXPECT_FALSE(line_file_left());
  EXPECT_TRUE(train_file_left());
  ASSERT_TRUE(error_source().has_value());
  EXPECT_EQ(error_source()->line, 5);
}

TEST_F(SpeedBoardTest, ValueRangesAreCheckedBeforeTheCell) {
  const CompiledModel model = compile(line_file(kLength, {
      "cartello_indicatore,  1000,   (X)", "indicatori_vmax,  1000,  1700,  60,  60,  0,  ,  ,  ,  0"}));
  EXPECT_EQ(model.error_code, 25);
  EXPECT_EQ(model.error_position, kUntouchedPosition);
}

TEST_F(SpeedBoardTest, OutOfRangeValuesWriteNothing) {
  const std::vector<std::string> records = {
      "indicatori_vmax,  1000,  1638,  60,  60,  0,  40,  ,  ,  0",    // 32768 does not fit 16 bits
      "indicatori_vmax,  1000,  60,  60,  -1639,  0,  ,  ,  ,  0",     // -32780
      "indicatori_vmax,  -76,  60,  60,  60,  0,  ,  ,  ,  0",         // cell -1
      "indicatori_vmax,  1000,  60,  60,  60,  0,  ,  ,  99999999999,  0",  // not a 32-bit number
  };
  for (const std::string& record : records) {
    SCOPED_TRACE(record);
    const CompiledModel model = compile(line_file(kLength, {record}));
    EXPECT_EQ(model.error_code, 25);
    for (const RouteCell& cell : model.route) ASSERT_EQ(cell.kind, compiler::kNoObject);
    EXPECT_FALSE(line_file_left());
    EXPECT_FALSE(train_file_left());
  }
}

class IndicationBoardTest : public LineFixture {};

TEST_F(IndicationBoardTest, BoardsTakeCellsAndTextEntriesDownward) {
  const CompiledModel model = compile(line_file(kLength, {
      "cartello_indicatore,  37200,   (GALLERIA )(MONTE ALTO)(Km 37+250)",
      "cartello_indicatore,  70250,   (VIADOTTO)(FIUME   )",
      "cartello_indicatore,  72550,   (GALLERIA   )(COLLE)(Km 72+600   )"}));
  EXPECT_EQ(model.error_code, 0);
  const std::vector<std::pair<std::size_t, std::int16_t>> boards = {{745, 80}, {1406, 79}, {1452, 78}};
  for (const auto& [cell, entry] : boards) {
    EXPECT_EQ(model.route[cell].kind, compiler::kIndicationBoard) << cell;
    EXPECT_EQ(model.route[cell].param1, entry) << cell;
  }
  EXPECT_EQ(model.scenario_table[80].text, "(GALLERIA )(MONTE ALTO)(Km 37+250)");
  EXPECT_EQ(model.scenario_table[79].text, "(VIADOTTO)(FIUME   )");
  EXPECT_EQ(model.scenario_table[78].text, "(GALLERIA   )(COLLE)(Km 72+600   )");
  EXPECT_EQ(model.next_board_entry, 77);
}

TEST_F(IndicationBoardTest, ReplacesATunnelMarkerButNotABoard) {
  const CompiledModel on_marker = compile(line_file(kLength, {
      "montagna,   37250,  55750,  11", "cartello_indicatore,  37350,   (X)"}));
  EXPECT_EQ(on_marker.error_code, 0);
  EXPECT_EQ(on_marker.route[748].kind, compiler::kIndicationBoard);

  for (const char* first : {"indicatori_vmax,  1000,  105,  115,  120,  0,  ,  ,  ,  0",
                            "cartello_indicatore,  1000,   (A)"}) {
    SCOPED_TRACE(first);
    const CompiledModel taken =
        compile(line_file(kLength, {first, "cartello_indicatore,  1010,   (B)", "pendenza,  0,   5"}));
    EXPECT_EQ(taken.error_code, 6);
    EXPECT_EQ(taken.error_position, 1010);
    EXPECT_NE(taken.scenario_table[80].text, "(B)");
    EXPECT_EQ(taken.scenario_table[79].text, "");
    EXPECT_EQ(taken.route[0].gradient, 0) << "nothing after the error is read";
    EXPECT_FALSE(line_file_left());
    EXPECT_TRUE(train_file_left());
    ASSERT_TRUE(error_source().has_value());
    EXPECT_EQ(error_source()->line, 5);
  }
}

TEST_F(IndicationBoardTest, EightyBoardsFitAndTheNextIsAReadingFailure) {
  for (const int count : {80, 81}) {
    SCOPED_TRACE(count);
    std::vector<std::string> records;
    for (int i = 0; i < count; ++i) {
      records.push_back("cartello_indicatore,  " + std::to_string(100 * i) + ",   (" + std::to_string(i) + ")");
    }
    const CompiledModel model = compile(line_file(kLength, records));
    EXPECT_EQ(model.error_code, count == 80 ? 0 : 25);
    EXPECT_EQ(model.scenario_table[1].text, "(79)");
    EXPECT_EQ(model.scenario_table[0].text, "");
  }
}

TEST_F(IndicationBoardTest, TakenCellIsFoundBeforeTheFullTable) {
  std::vector<std::string> records;
  for (int i = 0; i < 80; ++i) records.push_back("cartello_indicatore,  " + std::to_string(100 * i) + ",   (T)");
  records.push_back("cartello_indicatore,  0,   (T)");
  const CompiledModel model = compile(line_file(kLength, records));
  EXPECT_EQ(model.error_code, 6);
  EXPECT_EQ(model.error_position, 0);
}

TEST_F(IndicationBoardTest, BoardBeforeTheRouteStartIsAReadingFailure) {
  const CompiledModel model = compile(line_file(kLength, {"cartello_indicatore,  -76,   (X)"}));
  EXPECT_EQ(model.error_code, 25);
  EXPECT_EQ(model.scenario_table[80].text, "");
}

}  // namespace
}  // namespace line_test
