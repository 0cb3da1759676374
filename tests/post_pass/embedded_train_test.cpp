// The embedded train over a 97 km route: it compiles without an error, and
// since it has no slowdown the post-pass leaves its route as it is.

#include <algorithm>
#include <string>
#include <vector>

#include "compiler/post_pass.h"
#include "train/train_fixture.h"

namespace {

struct SignalGroup {
  const char* columns;  // sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
  std::vector<int> positions;
};

const SignalGroup kSignals[] = {
    {"2, 4, 1, 0, 0, 0, 0, 0, 0, 0", {1050, 7050}},
    {"2, 4, 1, 1, 0, 0, 0, 0, 0, 0", {2250, 4250, 15400, 93450}},
    {"1, 4, 1, 0, 0, 0, 0, 0, 0, 0", {5850, 14100, 92200}},
    {"2, 4, 0, 0, 0, 0, 0, 0, 0, 0", {8950, 10250, 11500, 12850}},
    {"1, 4, 0, 0, 0, 1, 1, 0, 0, 0", {20100, 30150, 40650, 49800, 65300, 74450, 83750}},
    {"2, 4, 0, 0, 0, 2, 1, 0, 0, 0", {21350, 31400, 41900, 51050, 66550, 76000, 85000}},
    {"1, 4, 1, 0, 0, 1, 3, 1, 0, 0", {24050, 34750, 44750, 54250, 58900, 69050, 78250, 88400}},
    {"2, 4, 1, 0, 0, 2, 2, 1, 0, 0", {25300, 36050, 46000, 55500, 60150, 70300, 79500, 89650}},
    {"1, 3, 1, 0, 0, 0, 0, 0, 0, 215", {94250}},
    {"2, 3, 1, 1, 0, 0, 0, 0, 0, 230", {95500}},
};

struct StationRow {
  int position;
  const char* columns;  // columns 2 to 16
};

const StationRow kStations[] = {
    {0, "8, 500, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 6, 8, 0"},
    {2750, "12, 400, 0, 0, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {5200, "12, 400, 0, 0, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {8000, "12, 400, 0, 0, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {12550, "28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0"},
    {16250, "4, 500, 0, 0, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {26200, "12, 400, 0, 0, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {36700, "12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {46800, "26, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0"},
    {56300, "12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {61400, "12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {71350, "12, 400, 0, 0, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {80300, "12, 400, 0, 0, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {90600, "12, 400, 0, 0, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0"},
    {93650, "25, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0"},
    {96600, "2, 600, 0, 0, 0, 1, 1, 0, 2, 1, 1, 0, 7, 30, 0"},
};

std::string embedded_train_records() {
  std::string records =
      "numero vetture,    16\npercentuale massa frenata,    125\nsabbia,    300\n"
      "orologio,    6               42            40 \n[aderenze]\naderenza,   0,    100\n[vel_limite]\n";
  for (const char* speed : {"0, 30", "900, 115", "3300, 150", "6650, 160", "16300, 115", "37200, 160",
                            "55750, 120", "56850, 160", "61400, 135", "72550, 160", "80250, 135",
                            "95500, 65", "96000, 30"}) {
    records += std::string("velocita, ") + speed + "\n";
  }
  records += "[stazioni]\n";
  for (const StationRow& s : kStations) {
    records += "stazione, " + std::to_string(s.position) + ", " + s.columns + ", STAZIONE\n";
  }
  records += "[rallentamenti]\n[segnali]\n";
  std::vector<std::pair<int, const char*>> signals;
  for (const SignalGroup& g : kSignals) {
    for (int p : g.positions) signals.emplace_back(p, g.columns);
  }
  std::sort(signals.begin(), signals.end());
  for (const auto& [position, columns] : signals) {
    records += "segnale, " + std::to_string(position) + ", " + columns + "\n";
  }
  records += "[codici]";
  return records;
}

using EmbeddedTrain = train_test::TrainFile;

TEST_F(EmbeddedTrain, CompilesCleanAndThePostPassChangesNothing) {
  // The line's boards, as the line half places them.
  cell(21).kind = compiler::kSpeedBoards;
  cell(1084).kind = compiler::kSpeedBoards;
  for (int board : {745, 1406, 1452}) cell(board).kind = compiler::kIndicationBoard;
  model.next_board_entry = 77;

  ASSERT_TRUE(compile(embedded_train_records()));
  ASSERT_EQ(model.error_code, 0);
  EXPECT_EQ(entry(16).value3, 96600);
  EXPECT_EQ(entry(16).seconds, 7 * 3600 + 30 * 60);
  EXPECT_EQ(cell(22).kind, compiler::kSignal);
  EXPECT_EQ(cell(1911).kind, compiler::kSignal);  // 95500 m, tempo 230
  EXPECT_EQ(cell(1911).param5, 230);

  const std::vector<compiler::RouteCell> before = model.route;
  compiler::route_post_pass(model);
  EXPECT_EQ(model.route, before);
  EXPECT_EQ(model.error_code, 0);
}

}  // namespace
