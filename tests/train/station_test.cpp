// Stations: their table entries, stretches, stop cells and markers, and the
// errors that stop the reading on them.

#include <string>

#include "train/train_fixture.h"

namespace train_test {
namespace {

using compiler::kSignal;
using compiler::kStationStop;

// A station record: position, kind, length, columns 5 and 6; the other
// columns as in the embedded file's ordinary stations.
std::string station(int position, int kind, int length, int byte5 = 0, int extension = 0) {
  return "stazione, " + std::to_string(position) + ", " + std::to_string(kind) + ", " +
         std::to_string(length) + ", 0, " + std::to_string(byte5) + ", " + std::to_string(extension) +
         ", 1,1,0, 4,1,1, 0, 0,0,0, NOME";
}

const std::string kFirstStation = station(0, 8, 500);

using StationTest = TrainFile;

TEST_F(StationTest, FirstEmbeddedStation) {
  ASSERT_TRUE(compile("stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   6, 8, 0, ALVERA"));
  const compiler::ScenarioEntry& e = entry(1);
  EXPECT_EQ(e.code, 8);
  EXPECT_EQ(e.value1, -500);
  EXPECT_EQ(e.value2, 500);
  EXPECT_EQ(e.value3, 0);
  EXPECT_EQ(e.word1, 1);
  EXPECT_EQ(e.word2, 1);
  EXPECT_EQ(e.byte1, 0);
  EXPECT_EQ(e.word3, 4);
  EXPECT_EQ(e.word4, 1);
  EXPECT_EQ(e.word5, 1);
  EXPECT_EQ(e.byte2, 1);
  EXPECT_EQ(e.seconds, 6 * 3600 + 8 * 60);
  EXPECT_EQ(e.text, "ALVERA");
  EXPECT_EQ(cell(9).kind, kStationStop);
  EXPECT_EQ(cell(9).param1, 1);
  for (int j = 1; j <= 4; ++j) EXPECT_EQ(cell(9 - j).marker, 80 + j) << "marker " << j;
  EXPECT_EQ(cell(4).marker, 0);
  EXPECT_EQ(model.error_code, 0);
}

TEST_F(StationTest, SecondStationWithEndExtension) {
  ASSERT_TRUE(compile(kFirstStation + "\n" +
                      "stazione,    2750, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, BORGO"));
  EXPECT_EQ(entry(2).value1, 2550);
  EXPECT_EQ(entry(2).value2, 3000);
  EXPECT_EQ(entry(2).byte3, 1);
  EXPECT_EQ(cell(59).kind, kStationStop);
  EXPECT_EQ(cell(59).param1, 2);
  EXPECT_EQ(cell(58).marker, 81);
  EXPECT_EQ(cell(55).marker, 84);
}

TEST_F(StationTest, ColumnsAreCarriedIntoTheEntry) {
  ASSERT_TRUE(compile("stazione, 1000, 12, 400, 7, 0, 0, -3, 300, 9, 4, 5, 6, 200, 1000000, 0, 5, "
                      "PONTE - SAN LUCA "));
  const compiler::ScenarioEntry& e = entry(1);
  EXPECT_EQ(e.flag, 7);
  EXPECT_EQ(e.word1, -3);
  EXPECT_EQ(e.word2, 300);
  EXPECT_EQ(e.byte1, 9);
  EXPECT_EQ(e.word3, 4);
  EXPECT_EQ(e.word4, 5);
  EXPECT_EQ(e.word5, 6);
  EXPECT_EQ(e.byte2, 200);
  EXPECT_EQ(e.seconds, static_cast<std::int32_t>(3'600'000'005LL - 4'294'967'296LL));  // low 32 bits
  EXPECT_EQ(e.text, "PONTE - SAN LUCA ");
}

TEST_F(StationTest, StretchAndClearedBytesByKind) {
  const struct {
    int kind, length, byte5, extension;
    std::int32_t value1, value2;
    int byte3, byte4;
  } cases[] = {
      {5, 300, 0, 1, 4700, 5150, 0, 0},
      {6, 300, 0, 1, 4700, 5150, 0, 0},
      {7, 300, 0, 1, 4700, 5300, 0, 0},
      {8, 300, 0, 1, 4700, 5300, 0, 0},
      {12, 400, 0, 0, 4800, 5200, 0, 0},
      {12, 400, 0, 1, 4800, 5250, 1, 0},
      {4, 600, 9, 0, 4700, 5300, 0, 9},
      {4, 500, 9, 0, 4750, 5250, 0, 0},
      {30, 300, 0, 1, 4850, 5200, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind) + " length " + std::to_string(c.length));
    model.scenario_table = {};
    ASSERT_TRUE(compile(kFirstStation + "\n" + station(5000, c.kind, c.length, c.byte5, c.extension)));
    ASSERT_EQ(model.error_code, 0);
    EXPECT_EQ(entry(2).value1, c.value1);
    EXPECT_EQ(entry(2).value2, c.value2);
    EXPECT_EQ(entry(2).byte3, c.byte3);
    EXPECT_EQ(entry(2).byte4, c.byte4);
  }
}

TEST_F(StationTest, FirstStationDropsBothBytesAfterItsStretch) {
  ASSERT_TRUE(compile(station(1000, 12, 600, 9, 1)));
  EXPECT_EQ(entry(1).value1, 700);
  EXPECT_EQ(entry(1).value2, 1350);
  EXPECT_EQ(entry(1).byte3, 0);
  EXPECT_EQ(entry(1).byte4, 0);
}

TEST_F(StationTest, CellsByKind) {
  const struct {
    int kind;
    int stop;  // -1: no stop cell
    bool markers;
  } cases[] = {{5, 102, false}, {6, 102, false}, {7, 105, true}, {12, 102, true}, {24, 102, true},
               {25, -1, false}, {28, -1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind));
    model.size_route(97000);
    ASSERT_TRUE(compile(kFirstStation + "\n" + station(5000, c.kind, 300)));
    for (int i = 90; i <= 110; ++i) {
      const bool is_stop = i == c.stop;
      EXPECT_EQ(cell(i).kind, is_stop ? kStationStop : 0) << "cell " << i;
      if (is_stop) {
        EXPECT_EQ(cell(i).param1, 2);
      }
      const bool is_marker = c.markers && i < c.stop && i >= c.stop - 4;
      EXPECT_EQ(cell(i).marker, is_marker ? 80 + c.stop - i : 0) << "cell " << i;
    }
  }
}

TEST_F(StationTest, MarkersOnlyAfterCellOne) {
  ASSERT_TRUE(compile(station(0, 12, 400, 0, 1)));  // stretch ends at 250: stop cell 4
  EXPECT_EQ(cell(4).kind, kStationStop);
  EXPECT_EQ(cell(3).marker, 81);
  EXPECT_EQ(cell(2).marker, 82);
  EXPECT_EQ(cell(1).marker, 0);
  EXPECT_EQ(cell(0).marker, 0);
}

TEST_F(StationTest, ErrorsThatStopTheReading) {
  const struct {
    const char* name;
    std::string records;
    std::int32_t error;
    std::int32_t position;  // 777: left as it was
  } cases[] = {
      {"position off the grid", station(2760, 12, 400), 8, 2760},
      {"length off the grid", station(2750, 12, 450), 9, 2750},
      {"stop cell at cell 1", station(0, 12, 200), 24, 777},
      {"kind 5 ending at 100 m", station(-50, 5, 300), 24, 777},
      {"too close to the previous one", kFirstStation + "\n" + station(800, 12, 400), 22, 800},
      {"before the previous one", station(5000, 12, 400) + "\n" + station(3000, 12, 400), 22, 3000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.size_route(97000);
    for (auto& r : model.route) r.speed_limit = 99;
    model.scenario_table = {};
    model.record_error(0, 777);
    ASSERT_TRUE(compile(c.records + "\nsabbia, 5"));
    EXPECT_EQ(model.error_code, c.error);
    EXPECT_EQ(model.error_position, c.position);
    EXPECT_EQ(entry(86).word1, 0);            // later records unread
    EXPECT_EQ(cell(1000).speed_limit, 99);    // profiles not completed
    EXPECT_FALSE(file_left());
    EXPECT_TRUE(source.has_value());
  }
}

TEST_F(StationTest, GapOf350MetresIsEnough) {
  ASSERT_TRUE(compile(kFirstStation + "\n" + station(1050, 12, 400)));  // starts at 850
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(entry(2).value1, 850);
}

TEST_F(StationTest, StationsStayBelowTheBoardTexts) {
  const struct {
    std::int32_t next_board_entry;
    int stored;  // stations stored before error 10
  } cases[] = {{3, 2}, {2, 1}, {1, 1}, {0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.next_board_entry);
    model.scenario_table = {};
    for (int e = c.next_board_entry + 1; e <= 80; ++e) entry(e).text = "BOARD";
    model.next_board_entry = c.next_board_entry;
    model.record_error(0, 777);
    ASSERT_TRUE(compile(station(5000, 12, 400) + "\n" + station(10000, 12, 400) + "\n" +
                        station(15000, 12, 400)));
    EXPECT_EQ(model.error_code, 10);
    EXPECT_EQ(model.error_position, 777);
    for (int e = 1; e <= 3; ++e) {
      const bool stored = e <= c.stored;
      EXPECT_EQ(entry(e).value3, stored ? 5000 * e : 0) << "entry " << e;
      if (e > c.next_board_entry) {
        EXPECT_EQ(entry(e).text, "BOARD") << "entry " << e;
      }
    }
  }
}

TEST_F(StationTest, StationOverSignalAndSignalOnStopCell) {
  // The station's stop cell is cell 22, where the signal at 1050 m stands.
  const std::string signal = "segnale, 1050, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0";
  ASSERT_TRUE(compile(signal + "\n" + station(950, 12, 400)));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(cell(22).kind, kStationStop);
  EXPECT_EQ(cell(22).param1, 1);

  model.size_route(97000);
  ASSERT_TRUE(compile(station(950, 12, 400) + "\n" + signal));
  EXPECT_EQ(model.error_code, 16);
  EXPECT_EQ(model.error_position, 1050);
  EXPECT_EQ(cell(22).kind, kStationStop);
  EXPECT_EQ(cell(20).marker, 82);  // the station's, not the signal's
}

TEST_F(StationTest, StopCellBeyondTheRouteFailsBeforeAnyCellIsWritten) {
  // Stretch end 104200 m: stop cell 2083, markers 2082 down to 2079.
  EXPECT_FALSE(compile(station(5000, 12, 400) + "\n" + station(103200, 12, 2000)));
  EXPECT_EQ(entry(2).value3, 103200);
  EXPECT_EQ(entry(2).value2, 104200);
  EXPECT_EQ(cell(2080).marker, 0);
  EXPECT_EQ(cell(2079).marker, 0);
  EXPECT_FALSE(file_left());
}

}  // namespace
}  // namespace train_test
