// Labels of the plot: no two label boxes of the plan overlap, none covers a
// kilometre tick or leaves the view, on the embedded scenario and on the
// longest line the format allows; the profile labels slowdown speeds and
// gradients.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/long_scenario.h"
#include "plot/picture_checks.h"
#include "plot/small_scenario.h"
#include "plot/svg_document.h"
#include "support/temp_dir.h"
#include "tools/drawing.h"

namespace {

using plot_test::numbers_in;
using plot_test::run_tool;
using plot_test::SvgDocument;
using testing_support::TempDir;

struct Label {
  std::string text;
  tools::Box box;
};

double number(const std::string& text) { return std::stod(text); }

// The boxes of the texts an XPath selects, from their position, anchor and
// the font size of their group.
std::vector<Label> labels(const SvgDocument& svg, const std::string& texts, double font_size) {
  const auto xs = svg.values(texts + "/@x");
  const auto ys = svg.values(texts + "/@y");
  const auto anchors = svg.values(texts + "/@text-anchor");
  const auto contents = svg.values(texts);
  EXPECT_EQ(xs.size(), contents.size());
  EXPECT_EQ(anchors.size(), contents.size());
  std::vector<Label> found;
  for (std::size_t i = 0; i < contents.size() && i < xs.size() && i < anchors.size(); ++i) {
    found.push_back({contents[i], tools::text_box(number(xs[i]), number(ys[i]), anchors[i], contents[i], font_size)});
  }
  return found;
}

// Checks the plan of a picture; returns the number of station labels.
std::size_t expect_plan_labels_apart(const std::string& svg_text) {
  const SvgDocument svg(svg_text);
  EXPECT_TRUE(svg.well_formed()) << svg.parse_error();
  std::vector<Label> all = labels(svg, "//s:g[@id='plan-stations']/s:text[@class='station-label']", 11);
  const std::size_t stations = all.size();
  const std::vector<Label> kilometres = labels(svg, "//s:g[@id='plan-kilometres']/s:text[@class='km-label']", 9);
  all.insert(all.end(), kilometres.begin(), kilometres.end());
  EXPECT_GT(kilometres.size(), 0u);

  const auto frame = numbers_in(svg.values("//s:g[@id='plan']/s:rect[1]/@x")[0] + " " +
                                svg.values("//s:g[@id='plan']/s:rect[1]/@y")[0] + " " +
                                svg.values("//s:g[@id='plan']/s:rect[1]/@width")[0] + " " +
                                svg.values("//s:g[@id='plan']/s:rect[1]/@height")[0]);
  const tools::Box view{frame[0], frame[1], frame[2], frame[3]};
  int reported = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_TRUE(tools::contains(view, all[i].box)) << all[i].text << " leaves the plan view";
    for (std::size_t j = i + 1; j < all.size(); ++j) {
      if (tools::overlaps(all[i].box, all[j].box) && reported++ < 5) {
        ADD_FAILURE() << "\"" << all[i].text << "\" overlaps \"" << all[j].text << "\"";
      }
    }
  }
  // The middle of each kilometre tick stays clear of every label.
  const auto x1 = svg.values("//s:line[@class='km-tick']/@x1");
  const auto y1 = svg.values("//s:line[@class='km-tick']/@y1");
  const auto x2 = svg.values("//s:line[@class='km-tick']/@x2");
  const auto y2 = svg.values("//s:line[@class='km-tick']/@y2");
  for (std::size_t t = 0; t < x1.size(); ++t) {
    const double x = (number(x1[t]) + number(x2[t])) / 2;
    const double y = (number(y1[t]) + number(y2[t])) / 2;
    for (const Label& label : all) {
      if (tools::overlaps(label.box, {x - 2, y - 2, 4, 4}) && reported++ < 10) {
        ADD_FAILURE() << "\"" << label.text << "\" covers the tick at " << x << ", " << y;
      }
    }
  }
  return stations;
}

TEST(PlanLabels, EmbeddedScenarioPlacesEveryStationApart) {
  TempDir folder;
  ASSERT_EQ(testing_support::run_program(SCENARIO_TOOL_EXE, {"sources", "."}, folder.path()).exit_status, 0);
  const auto compile = testing_support::run_program(
      SCENARIO_TOOL_EXE, {"compile", "Alvera_Monteluce_linea.txt", "Alvera_Monteluce_2734-2-.txt"}, folder.path());
  ASSERT_EQ(compile.exit_status, 0) << compile.standard_error;
  ASSERT_EQ(run_tool({"plot", folder.path(), "-o", folder.file("picture.svg")}).exit_status, 0);
  EXPECT_EQ(expect_plan_labels_apart(folder.read("picture.svg")), 16u);
}

TEST(PlanLabels, LongestLineKeepsItsLabelsApart) {
  TempDir folder;
  const bench::GeneratedScenario scenario = bench::generate_scenario(bench::kLongestLine);
  folder.write("L_linea.txt", scenario.line_description);
  folder.write("L_T-.txt", scenario.train_description);
  const auto compile = testing_support::run_program(SCENARIO_TOOL_EXE, {"compile", "L_linea.txt", "L_T-.txt"},
                                                    folder.path());
  ASSERT_EQ(compile.exit_status, 0) << compile.standard_error;
  const auto plot = run_tool({"plot", folder.path(), "-o", folder.file("picture.svg")});
  ASSERT_EQ(plot.exit_status, 0) << plot.standard_error;
  EXPECT_GT(expect_plan_labels_apart(folder.read("picture.svg")), 0u);
}

TEST(ProfileLabels, SlowdownSpeedAndGradientsAreWritten) {
  TempDir folder;
  plot_test::write_small_scenario(folder.path());
  ASSERT_EQ(run_tool({"plot", folder.path()}).exit_status, 0);
  const SvgDocument svg(folder.read("Prova_T1.svg"));
  ASSERT_TRUE(svg.well_formed()) << svg.parse_error();
  // The one slowdown, 30 km/h from cell 120 to cell 130, on the speed scale.
  EXPECT_EQ(svg.values("//s:text[@class='slowdown-label']"), std::vector<std::string>{"30 km/h"});
  const auto line = svg.values("//s:line[@class='slowdown-speed']/@y1");
  ASSERT_EQ(line.size(), 1u);
  // Gradients +10, 0 and -5 per mille, in route order.
  EXPECT_EQ(svg.values("//s:text[@class='gradient-label']"),
            (std::vector<std::string>{"+10\xE2\x80\xB0", "0\xE2\x80\xB0", "\xE2\x88\x92" "5\xE2\x80\xB0"}));
}

}  // namespace
