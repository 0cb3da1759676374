// The speed-limit and adhesion profiles: each record's value from its own
// cell on, the completion to the route's end, and their limits.

#include <string>

#include "train/train_fixture.h"

namespace train_test {
namespace {

using compiler::RouteCell;

class ProfileTest : public TrainFile {
 protected:
  // Marks every cell so that cells no profile reached can be told apart.
  void mark_all_cells() {
    for (auto& c : model.route) {
      c.speed_limit = 99;
      c.adhesion = 99;
    }
  }
};

TEST_F(ProfileTest, FirstTwoSpeedRecordsOfTheEmbeddedTrain) {
  ASSERT_TRUE(compile("velocita,   0,    30\nvelocita,     900,   115\nvelocita,    3300,   150"));
  for (int i = 0; i <= 17; ++i) EXPECT_EQ(cell(i).speed_limit, 6) << "cell " << i;
  for (int i = 18; i <= 65; ++i) EXPECT_EQ(cell(i).speed_limit, 23) << "cell " << i;
  EXPECT_EQ(cell(66).speed_limit, 30);
}

TEST_F(ProfileTest, CompletionStopsThreeCellsBeforeTheEnd) {
  mark_all_cells();
  ASSERT_TRUE(compile("velocita, 0, 60\naderenza, 0, 80"));
  EXPECT_EQ(cell(2077).speed_limit, 12);
  EXPECT_EQ(cell(2077).adhesion, 80);
  for (int i = 2078; i <= 2080; ++i) {
    EXPECT_EQ(cell(i).speed_limit, 99) << "cell " << i;
    EXPECT_EQ(cell(i).adhesion, 99) << "cell " << i;
  }
}

TEST_F(ProfileTest, RecordNearTheEndReachesALastCell) {
  // The last record's cell is 2078; completion still lays one cell there.
  mark_all_cells();
  ASSERT_TRUE(compile("velocita, 0, 50\nvelocita, 103900, 100"));
  EXPECT_EQ(cell(2077).speed_limit, 10);
  EXPECT_EQ(cell(2078).speed_limit, 20);
  EXPECT_EQ(cell(2079).speed_limit, 99);
}

TEST_F(ProfileTest, CellsBeforeTheFirstRecordGetZero) {
  mark_all_cells();
  ASSERT_TRUE(compile("velocita, 500, 100\naderenza, 1000, 70"));
  EXPECT_EQ(cell(0).speed_limit, 0);
  EXPECT_EQ(cell(9).speed_limit, 0);
  EXPECT_EQ(cell(10).speed_limit, 20);
  EXPECT_EQ(cell(19).adhesion, 0);
  EXPECT_EQ(cell(20).adhesion, 70);
}

TEST_F(ProfileTest, RecordBehindTheFillStillLaysOneCell) {
  ASSERT_TRUE(compile("velocita, 0, 50\nvelocita, 500, 100\nvelocita, 200, 60\n"
                      "aderenza, 0, 10\naderenza, 500, 20\naderenza, 200, 30"));
  EXPECT_EQ(cell(9).speed_limit, 10);
  EXPECT_EQ(cell(10).speed_limit, 20);
  EXPECT_EQ(cell(11).speed_limit, 12);
  EXPECT_EQ(cell(10).adhesion, 20);
  EXPECT_EQ(cell(11).adhesion, 30);
}

TEST_F(ProfileTest, RecordCellRoundsHalfToEven) {
  const struct {
    int position;
    int first_new_cell;
  } cases[] = {{525, 10}, {575, 12}, {574, 11}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    model.size_route(97000);
    ASSERT_TRUE(compile("velocita, 0, 50\nvelocita, " + std::to_string(c.position) + ", 100"));
    EXPECT_EQ(cell(c.first_new_cell - 1).speed_limit, 10);
    EXPECT_EQ(cell(c.first_new_cell).speed_limit, 20);
  }
}

TEST_F(ProfileTest, SpeedMustFitItsByteWhenLaidDown) {
  const struct {
    const char* records;
    bool accepted;
    int stored;
  } cases[] = {
      {"velocita, 0, 1275", true, 255},
      {"velocita, 0, 1277", true, 255},   // 255.4
      {"velocita, 0, 1278", false, 0},    // 255.6
      {"velocita, 0, -2", true, 0},       // -0.4
      {"velocita, 0, -3", false, 0},      // -0.6
      {"velocita, 0, 7", true, 1},
      {"velocita, 0, 5000\nvelocita, 0, 40", true, 8},  // never laid down
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.records);
    model.size_route(97000);
    EXPECT_EQ(compile(c.records), c.accepted);
    if (c.accepted) {
      EXPECT_EQ(cell(100).speed_limit, c.stored);
    }
    EXPECT_FALSE(file_left());
  }
}

TEST_F(ProfileTest, AdhesionKeepsItsLowBits) {
  ASSERT_TRUE(compile("aderenza, 0, 300\naderenza, 1000, -1"));
  EXPECT_EQ(cell(19).adhesion, 44);
  EXPECT_EQ(cell(20).adhesion, 255);
}

TEST_F(ProfileTest, FillBeyondTheRouteFailsAtTheFirstCellOutside) {
  // Every record at 50 m lays one more cell: the one that would lay cell
  // 2081 fails. The adhesion profile first runs on to cell 2077 in one go.
  std::string speeds;
  for (int i = 0; i < 2082; ++i) speeds += "velocita, 50, 10\n";
  std::string adhesions = "aderenza, 0, 7\naderenza, 103900, 10\n";
  for (int i = 0; i < 4; ++i) adhesions += "aderenza, 50, 20\n";
  const struct {
    const char* name;
    std::string records;
    std::uint8_t RouteCell::*member;
    std::uint8_t cell_2077;
    std::uint8_t cell_2080;
  } cases[] = {
      {"speed limits", speeds, &RouteCell::speed_limit, 2, 2},
      {"adhesion values", adhesions, &RouteCell::adhesion, 7, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.size_route(97000);
    EXPECT_FALSE(compile(c.records + "sabbia, 1"));
    EXPECT_EQ(cell(2077).*c.member, c.cell_2077);
    EXPECT_EQ(cell(2080).*c.member, c.cell_2080);
    EXPECT_EQ(entry(86).word1, 0);
    EXPECT_FALSE(file_left());
  }
}

TEST_F(ProfileTest, RangeCheckComparesTheExactQuotient) {
  const struct {
    const char* record;
    std::int32_t error;
    std::int32_t position;
  } cases[] = {
      {"velocita, 103900, 50", 0, 0},
      {"velocita, 103901, 50", 15, 103901},
      {"aderenza, 103901, 50", 15, 103901},
      {"segnale, 103901, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0", 15, 103901},
      {"rallentamento, 103901, 60, 100, 0, 0, 0", 15, 103901},
      {"abbattimento, 103901, 50", 15, 103901},
      {"stazione, 103250, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 15, 103250},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record);
    model.size_route(97000);
    model.record_error(0, 0);
    ASSERT_TRUE(compile(c.record));
    EXPECT_EQ(model.error_code, c.error);
    EXPECT_EQ(model.error_position, c.position);
  }
}

TEST_F(ProfileTest, ProfilesAreCompletedAfterError15) {
  mark_all_cells();
  ASSERT_TRUE(compile(
      "velocita, 0, 50\n"
      "aderenza, 0, 70\n"
      "velocita, 1000, 100\n"
      "segnale, 200000, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"
      "velocita, 2000, 150\n"
      "sabbia, 5"));
  EXPECT_EQ(model.error_code, 15);
  EXPECT_EQ(model.error_position, 200000);
  EXPECT_EQ(cell(19).speed_limit, 10);
  EXPECT_EQ(cell(20).speed_limit, 20);
  EXPECT_EQ(cell(2077).speed_limit, 20);
  EXPECT_EQ(cell(2077).adhesion, 70);
  EXPECT_EQ(entry(86).word1, 0);
  ASSERT_TRUE(source.has_value());
  EXPECT_EQ(source->line, 5);
}

}  // namespace
}  // namespace train_test
