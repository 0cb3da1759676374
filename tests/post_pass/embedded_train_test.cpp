// The embedded train over a 97 km route: it compiles without an error, and
// since it has no slowdown the post-pass leaves its route as it is.

#include <vector>

#include "compiler/post_pass.h"
#include "scenario/document.h"
#include "scenario/train_description.h"
#include "train/train_fixture.h"

namespace {

using EmbeddedTrain = train_test::TrainFile;

TEST_F(EmbeddedTrain, CompilesCleanAndThePostPassChangesNothing) {
  // The line's boards, as the line half places them.
  cell(21).kind = compiler::kSpeedBoards;
  cell(1084).kind = compiler::kSpeedBoards;
  for (int board : {745, 1406, 1452}) cell(board).kind = compiler::kIndicationBoard;
  model.next_board_entry = 77;

  write_raw(scenario::document_bytes(scenario::train_description_lines()));
  ASSERT_TRUE(run());
  ASSERT_EQ(model.error_code, 0);
  EXPECT_EQ(entry(84).value1, 125);
  EXPECT_EQ(entry(84).value3, 16);
  EXPECT_EQ(entry(86).word1, 300);
  EXPECT_EQ(entry(86).word3, 6);
  EXPECT_EQ(entry(86).word4, 42);
  EXPECT_EQ(entry(86).word5, 40);
  EXPECT_EQ(entry(1).value1, -500);
  EXPECT_EQ(entry(1).value2, 500);
  EXPECT_EQ(cell(9).kind, compiler::kStationStop);
  EXPECT_EQ(cell(5).marker, 84);
  EXPECT_EQ(entry(13).text, "BADIA-SANTERNO");
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
