#include "tools/plan_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "tools/plan_view.h"

namespace {

using compiler::PlanElement;
using compiler::PlanTag;
using tools::PlanPoint;

compiler::LineData line_data(const std::vector<PlanPoint>& points, std::size_t empty_after) {
  compiler::LineData data;
  for (const PlanPoint& p : points) {
    data.x.push_back({PlanTag::kDouble, p.x});
    data.y.push_back({PlanTag::kDouble, p.y});
  }
  for (std::size_t i = 0; i < empty_after; ++i) {
    data.x.push_back({});
    data.y.push_back({});
  }
  return data;
}

TEST(ComputedPoints, RunFromMetreZeroUpToTheFirstEmptyElement) {
  compiler::LineData data = line_data({{0, 0}, {0, 1}, {0.5, 2}}, 2);
  data.x.push_back({PlanTag::kDouble, 9});  // past a gap: not part of the computed run
  data.y.push_back({PlanTag::kDouble, 9});
  const tools::PlanPoints plan = tools::computed_points(data);
  ASSERT_TRUE(plan.ok()) << plan.error;
  ASSERT_EQ(plan.points.size(), 3u);
  EXPECT_DOUBLE_EQ(plan.points[2].x, 0.5);
  EXPECT_DOUBLE_EQ(plan.points[2].y, 2);

  data.y[1] = {};  // one empty coordinate ends the run as well
  EXPECT_EQ(tools::computed_points(data).points.size(), 1u);
}

TEST(ComputedPoints, RefuseCoordinatesNoPlanCanReachNamingTheMetre) {
  const double bad_values[] = {std::nan(""), std::numeric_limits<double>::infinity(), -2.5e6};
  for (double bad : bad_values) {
    compiler::LineData data = line_data({{0, 0}, {0, 1}, {3, 4}, {5, 6}}, 0);
    data.y[2].value = bad;
    const tools::PlanPoints plan = tools::computed_points(data);
    EXPECT_FALSE(plan.ok()) << bad;
    EXPECT_NE(plan.error.find("metre 2"), std::string::npos) << plan.error;
    EXPECT_TRUE(plan.points.empty());
  }
}

// The largest distance from any of the points to the thinned polyline.
double largest_gap(const std::vector<PlanPoint>& points, const std::vector<std::size_t>& kept) {
  double largest = 0;
  for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
    for (std::size_t i = kept[k]; i <= kept[k + 1]; ++i) {
      largest = std::max(largest, tools::distance_to_segment(points[i], points[kept[k]], points[kept[k + 1]]));
    }
  }
  return largest;
}

TEST(ThinOut, KeepsEveryPointWithinTheToleranceWithFarFewerPoints) {
  // 2000 m of a 500 m radius curve, one point per metre, then a straight.
  std::vector<PlanPoint> points;
  for (int m = 0; m <= 2000; ++m) points.push_back({500 - 500 * std::cos(m / 500.0), 500 * std::sin(m / 500.0)});
  const PlanPoint end = points.back();
  for (int m = 1; m <= 3000; ++m) points.push_back({end.x + m * 0.6, end.y + m * 0.8});

  for (double tolerance : {0.05, 1.0, 20.0}) {
    const std::vector<std::size_t> kept = tools::thin_out(points, 0, points.size() - 1, tolerance);
    ASSERT_GE(kept.size(), 2u);
    EXPECT_EQ(kept.front(), 0u);
    EXPECT_EQ(kept.back(), points.size() - 1);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    EXPECT_LE(largest_gap(points, kept), tolerance) << tolerance;
    EXPECT_LT(kept.size(), points.size() / 10) << tolerance;
  }
}

TEST(ThinOut, StraightRunsShrinkToTheirEndsAndRangesAreHonoured) {
  std::vector<PlanPoint> straight;
  for (int m = 0; m <= 1000; ++m) straight.push_back({0, static_cast<double>(m)});
  EXPECT_EQ(tools::thin_out(straight, 0, 1000, 0.01), (std::vector<std::size_t>{0, 1000}));
  EXPECT_EQ(tools::thin_out(straight, 200, 300, 0.01), (std::vector<std::size_t>{200, 300}));
  EXPECT_EQ(tools::thin_out(straight, 5, 5, 0.01), (std::vector<std::size_t>{5}));
  EXPECT_TRUE(tools::thin_out(straight, 10, 2000, 0.01).empty());
  EXPECT_TRUE(tools::thin_out({}, 0, 0, 0.01).empty());
}

TEST(RoundLength, LargestOneTwoOrFiveTimesAPowerOfTenNotAbove) {
  const std::pair<double, double> cases[] = {{1, 1},     {7, 5},       {19, 10},  {0.3, 1},
                                             {2500, 2000}, {999, 500}, {50000, 50000}};
  for (const auto& [limit, length] : cases) EXPECT_DOUBLE_EQ(tools::round_length(limit), length) << limit;
}

TEST(FitPlan, ScalesEquallyOnBothAxesNorthUpAndCentresInTheArea) {
  const tools::PlanBounds bounds{-100, 200, 900, 700};  // 1000 m wide, 500 m high
  const tools::Box area{50, 20, 200, 200};
  const tools::PlanTransform t = tools::fit_plan(bounds, area);
  EXPECT_DOUBLE_EQ(t.scale, 0.2);  // the width decides
  EXPECT_DOUBLE_EQ(t.screen_x(-100), 50);
  EXPECT_DOUBLE_EQ(t.screen_x(900), 250);
  // North up: the larger y is higher on the screen; the 100 px of height
  // are centred in the 200 px of the area.
  EXPECT_DOUBLE_EQ(t.screen_y(700), 70);
  EXPECT_DOUBLE_EQ(t.screen_y(200), 170);

  const tools::PlanTransform straight = tools::fit_plan({0, 0, 0, 5000}, area);
  EXPECT_TRUE(std::isfinite(straight.scale));
  EXPECT_DOUBLE_EQ(straight.screen_x(0), 150);
}

}  // namespace
