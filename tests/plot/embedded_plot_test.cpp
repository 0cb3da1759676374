// The picture of the embedded scenario: compiled by the program into its
// own folder, then drawn by scenario_tool plot.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "formats/line_data_file.h"
#include "plot/picture_checks.h"
#include "plot/svg_document.h"
#include "support/temp_dir.h"

namespace {

using plot_test::numbers_in;
using plot_test::run_tool;
using plot_test::SvgDocument;
using testing_support::TempDir;

const std::vector<std::string> kStationNames = {
    "ALVERA LEVANTE", "VERZANO",      "CASALFIORE",     "SPINETA",       "P.M. QUERCIOLA", "VALDIROSA",
    "CERVIANO",       "S. QUIRICO ASPRINA", "P.C. CERASOLA", "ROCCALTA",  "TORRE ALBINA",   "LUCIGNANA",
    "BADIA-SANTERNO", "FORNACI ALTE", "BIVIO CORNIOLA", "MONTELUCE"};
constexpr std::size_t kSignals = 45;

class EmbeddedPlot : public ::testing::Test {
 protected:
  // One compile and one picture for the whole suite: the program writes
  // into its own folder, so it runs from a copy in a temporary folder.
  static void SetUpTestSuite() {
    folder_ = new TempDir;
    std::filesystem::copy_file(SCENARIO_COMPILER_EXE, folder_->file("scenario_compiler"));
    program_status_ = testing_support::run_program(folder_->file("scenario_compiler")).exit_status;
    plot_ = new testing_support::ProgramRun(run_tool({"plot", folder_->path()}));
  }
  static void TearDownTestSuite() {
    delete plot_;
    delete folder_;
  }
  void SetUp() override {
    ASSERT_EQ(program_status_, 0);
    ASSERT_EQ(plot_->exit_status, 0) << plot_->standard_error;
  }
  static std::string svg_text() { return folder_->read("Alvera_Monteluce_2734-2.svg"); }

  static TempDir* folder_;
  static int program_status_;
  static testing_support::ProgramRun* plot_;
};

TempDir* EmbeddedPlot::folder_ = nullptr;
int EmbeddedPlot::program_status_ = -1;
testing_support::ProgramRun* EmbeddedPlot::plot_ = nullptr;

TEST_F(EmbeddedPlot, IsWellFormedWithOneLabelPerStationInEachView) {
  const SvgDocument svg(svg_text());
  ASSERT_TRUE(svg.well_formed()) << svg.parse_error();
  EXPECT_EQ(svg.values("//s:g[@id='plan']//s:text[@class='station-label']"), kStationNames);
  EXPECT_EQ(svg.values("//s:g[@id='profile']//s:text[@class='station-label']"), kStationNames);
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:line[@class='station-line']"), kStationNames.size());
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:line[@class='signal-tick']"), kSignals);
  EXPECT_EQ(svg.count("//s:g[@id='plan']//s:circle[@class='signal-mark']"), kSignals);
  // Kilometre ticks every 10 km along the 97 km of line, none on the 7 km
  // of computed plan past its end.
  EXPECT_EQ(svg.count("//s:g[@id='plan']//s:line[@class='km-tick']"), 9u);
}

TEST_F(EmbeddedPlot, TrackEndsAtTheLastComputedPointOfTheLineDataFile) {
  const auto plan = compiler::decode_line_data_file(folder_->read("Alvera_Monteluce_linea.dat"));
  ASSERT_TRUE(plan.ok()) << plan.error;
  std::size_t last = plan.value.x.size();
  while (last > 0 && plan.value.x[last - 1].tag == compiler::PlanTag::kEmpty) --last;
  ASSERT_EQ(last - 1, 103998u);  // track_length - 2

  const SvgDocument svg(svg_text());
  const auto paths = svg.values("//s:g[@id='plan-track']/s:path[@class='track']/@d");
  ASSERT_EQ(paths.size(), 1u);
  const std::vector<double> track = numbers_in(paths[0]);
  ASSERT_GE(track.size(), 4u);
  EXPECT_NEAR(track[track.size() - 2], plan.value.x[last - 1].value, 0.005);
  EXPECT_NEAR(track[track.size() - 1], plan.value.y[last - 1].value, 0.005);
  // Thinned for drawing: far fewer corners than metres.
  EXPECT_LT(track.size() / 2, 10000u);
}

TEST_F(EmbeddedPlot, ProfileEndsAtTheEndOfTheLineNotOfTheRoutesSlack) {
  const SvgDocument svg(svg_text());
  const auto chart = numbers_in(svg.values("//s:g[@id='profile-axes']/s:rect/@x")[0] + " " +
                                svg.values("//s:g[@id='profile-axes']/s:rect/@width")[0]);
  ASSERT_EQ(chart.size(), 2u);
  const double right = chart[0] + chart[1];
  // The height line is "M x y L x y ...": every other number is an x.
  const std::vector<double> height = numbers_in(svg.values("//s:path[@class='height-profile']/@d")[0]);
  ASSERT_GE(height.size(), 4u);
  for (std::size_t i = 0; i < height.size(); i += 2) EXPECT_LE(height[i], right + 0.05) << "height, corner " << i / 2;
  EXPECT_NEAR(height[height.size() - 2], right, 0.05) << "the height line reaches the end";
  // The speed line is "M x y H x V y H x ...": the x values follow M and H.
  const std::string speed = svg.values("//s:path[@class='speed-limit']/@d")[0];
  for (std::size_t at = speed.find_first_of("MH"); at != std::string::npos; at = speed.find_first_of("MH", at + 1)) {
    EXPECT_LE(std::stod(speed.substr(at + 1)), right + 0.05) << "speed limit at " << speed.substr(at, 12);
  }
  // 97 km of line: the last distance label on the axis is 90 km, not 100.
  const auto distances = svg.values("//s:g[@id='profile-axes']/s:text[@class='km-label']");
  ASSERT_FALSE(distances.empty());
  EXPECT_EQ(distances.back(), "90");
}

TEST_F(EmbeddedPlot, RendersToANonBlankPng) {
  const auto renderer = plot_test::find_program("rsvg-convert");
  if (!renderer) GTEST_SKIP() << "rsvg-convert is not installed (Debian librsvg2-bin)";
  const auto render = testing_support::run_program(
      *renderer, {"-o", folder_->file("picture.png"), folder_->file("Alvera_Monteluce_2734-2.svg")});
  ASSERT_EQ(render.exit_status, 0) << render.standard_error;
  const auto facts = plot_test::png_facts(folder_->file("picture.png"));
  ASSERT_TRUE(facts) << "identify (ImageMagick) could not read the PNG";
  EXPECT_EQ(facts->width, 1200);
  EXPECT_GT(facts->colours, 16);
}

TEST(EmbeddedPlotWithoutPlan, ACompileWithNoPlanGivesTheProfileAndANote) {
  TempDir folder;
  ASSERT_EQ(run_tool({"sources", folder.path()}).exit_status, 0);
  const auto compile = testing_support::run_program(
      SCENARIO_TOOL_EXE, {"compile", "Alvera_Monteluce_linea.txt", "Alvera_Monteluce_2734-2-.txt", "--no-plan"},
      folder.path());
  ASSERT_EQ(compile.exit_status, 0) << compile.standard_error;
  ASSERT_FALSE(folder.exists("Alvera_Monteluce_linea.dat"));
  const auto plot = run_tool({"plot", folder.path()});
  ASSERT_EQ(plot.exit_status, 0) << plot.standard_error;
  const SvgDocument svg(folder.read("Alvera_Monteluce_2734-2.svg"));
  ASSERT_TRUE(svg.well_formed()) << svg.parse_error();
  EXPECT_EQ(svg.count("//s:g[@id='plan']"), 0u);
  EXPECT_EQ(svg.count("//s:text[@class='note']"), 1u);
  EXPECT_EQ(svg.values("//s:g[@id='profile']//s:text[@class='station-label']"), kStationNames);
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:line[@class='signal-tick']"), kSignals);
}

}  // namespace
