// The track plan built from the curve records: straight along +y from the
// origin, bent the right way by each curve, cut two metres before its end.

#include <cmath>
#include <string>
#include <vector>

#include "compiler/track_plan.h"
#include "tests/line/line_fixture.h"

namespace line_test {
namespace {

using compiler::CompiledModel;
using compiler::PlanTag;
using compiler::TrackPlan;

// On a 1000 m line the plan has metres 0 .. 8000.
constexpr std::int32_t kShortLine = 1000;
constexpr std::int32_t kShortPlanEnd = 8000;

// The heading of the step into metre m, in radians from +y towards +x.
double heading_at(const TrackPlan& plan, std::int32_t m) {
  return std::atan2(plan.x(m) - plan.x(m - 1), plan.y(m) - plan.y(m - 1));
}

double step_length_at(const TrackPlan& plan, std::int32_t m) {
  return std::hypot(plan.x(m) - plan.x(m - 1), plan.y(m) - plan.y(m - 1));
}

class TrackPlanTest : public LineFixture {};

TEST_F(TrackPlanTest, WithoutCurvesThePlanIsStraightAlongY) {
  const CompiledModel model = compile(line_file(kShortLine, {}));
  ASSERT_EQ(model.error_code, 0);
  const TrackPlan& plan = model.track_plan;
  for (std::int32_t m = 0; m <= kShortPlanEnd - 2; ++m) {
    ASSERT_EQ(plan.x(m), 0.0) << m;
    ASSERT_EQ(plan.y(m), static_cast<double>(m)) << m;
  }
  EXPECT_EQ(plan.tag(0), PlanTag::kInt16);
  EXPECT_EQ(plan.tag(1), PlanTag::kInt16);
  EXPECT_EQ(plan.tag(2), PlanTag::kDouble);
  EXPECT_EQ(plan.tag(kShortPlanEnd - 2), PlanTag::kDouble);
  EXPECT_EQ(plan.tag(kShortPlanEnd - 1), PlanTag::kEmpty);
  EXPECT_EQ(plan.tag(kShortPlanEnd), PlanTag::kEmpty);
}

struct TurnCase {
  const char* keyword;
  double k;  // signed curvature the keyword selects
};

TEST_F(TrackPlanTest, CurveKeywordSelectsRadiusAndSide) {
  const std::vector<TurnCase> cases = {
      {"curvas2", -0.0002},  {"curvad2", 0.0002}, {"CURVAS2", -0.0002}, {"curva2", 0.0002},
      {"curvad1", 0.0001},   {"curvad3", 0.0004}, {"curvad4", 0.001},   {"curvas5", -0.002},
      {"curvas6", -0.003},   {"curvad61", 0.0001},  // the first digit looked for is 1
  };
  for (const TurnCase& c : cases) {
    SCOPED_TRACE(c.keyword);
    const CompiledModel model = compile(line_file(kShortLine, {std::string(c.keyword) + ",  1000,  400"}));
    ASSERT_EQ(model.error_code, 0);
    const TrackPlan& plan = model.track_plan;
    EXPECT_EQ(plan.x(1000), 0.0);
    EXPECT_EQ(plan.y(1000), 1000.0);
    // The first two curved points, in the order the plan computes them.
    const double k = c.k;
    EXPECT_EQ(plan.x(1001), k);
    EXPECT_EQ(plan.y(1001), 1001.0);
    EXPECT_EQ(plan.x(1002), k + (k + k * 1.0));
    EXPECT_EQ(plan.y(1002), 1001.0 + (1.0 - k * k));
    // Each curved step turns the heading by atan(k) and lengthens it by
    // sqrt(1 + k^2); after the curve the plan runs straight on.
    EXPECT_NEAR(heading_at(plan, 1400), 400 * std::atan(k), 1e-9);
    EXPECT_NEAR(step_length_at(plan, 1400), std::pow(1 + k * k, 200), 1e-9);
    EXPECT_NEAR(heading_at(plan, 5000), heading_at(plan, 1400), 1e-9);
    EXPECT_EQ(std::signbit(plan.x(1400)), k < 0) << "s turns towards -x, d towards +x";
  }
}

// The plan written out step by step, with every operation in its place: a
// different grouping of the sums moves the points by a few units in the last
// place, which the line data file would carry.
struct ReferenceCurve {
  std::int32_t p;
  std::int32_t n;
  double k;
};

std::vector<double> reference_plan_y(const std::vector<ReferenceCurve>& curves, std::int32_t last, std::vector<double>& x) {
  std::vector<double> y(static_cast<std::size_t>(last) + 1, 0.0);
  x.assign(y.size(), 0.0);
  y[1] = 1;
  std::size_t j = 2;
  auto straight = [&] {
    x[j] = x[j - 1] + (x[j - 1] - x[j - 2]);
    y[j] = y[j - 1] + (y[j - 1] - y[j - 2]);
    ++j;
  };
  for (const ReferenceCurve& c : curves) {
    while (j <= static_cast<std::size_t>(c.p)) straight();
    while (j <= static_cast<std::size_t>(c.p + c.n)) {
      const double dx = x[j - 1] - x[j - 2];
      const double dy = y[j - 1] - y[j - 2];
      x[j] = x[j - 1] + (dx + c.k * dy);
      y[j] = y[j - 1] + (dy - c.k * dx);
      ++j;
    }
  }
  while (j <= static_cast<std::size_t>(last)) straight();
  return y;
}

TEST_F(TrackPlanTest, EveryPointIsExactlyTheWrittenOrderOfOperations) {
  const CompiledModel model = compile(line_file(kShortLine, {
      "curvad4,  1000,  2000", "curvas6,  3500,  700", "curvad2,  5000,  1500"}));
  ASSERT_EQ(model.error_code, 0);
  std::vector<double> x;
  const std::vector<double> y =
      reference_plan_y({{1000, 2000, 0.001}, {3500, 700, -0.003}, {5000, 1500, 0.0002}}, kShortPlanEnd - 2, x);
  for (std::int32_t m = 0; m <= kShortPlanEnd - 2; ++m) {
    ASSERT_EQ(model.track_plan.x(m), x[static_cast<std::size_t>(m)]) << m;
    ASSERT_EQ(model.track_plan.y(m), y[static_cast<std::size_t>(m)]) << m;
  }
}

TEST_F(TrackPlanTest, CurveStartingBeforeTheCursorBendsFromTheCursorOn) {
  const CompiledModel model = compile(line_file(kShortLine, {"curvad4,  1000,  200", "curvas4,  1100,  200"}));
  ASSERT_EQ(model.error_code, 0);
  // 200 steps one way, then only metres 1201 .. 1300 the other way.
  EXPECT_NEAR(heading_at(model.track_plan, 1200), 200 * std::atan(0.001), 1e-9);
  EXPECT_NEAR(heading_at(model.track_plan, 1300), 100 * std::atan(0.001), 1e-9);
  EXPECT_NEAR(heading_at(model.track_plan, 2000), 100 * std::atan(0.001), 1e-9);
}

TEST_F(TrackPlanTest, CurvePastThePlanEndIsCutTwoMetresBeforeIt) {
  const CompiledModel model = compile(line_file(kShortLine, {"curvad1,  7000,  5000"}));
  ASSERT_EQ(model.error_code, 0);
  const TrackPlan& plan = model.track_plan;
  EXPECT_EQ(plan.tag(kShortPlanEnd - 2), PlanTag::kDouble);
  EXPECT_EQ(plan.tag(kShortPlanEnd - 1), PlanTag::kEmpty);
  EXPECT_EQ(plan.tag(kShortPlanEnd), PlanTag::kEmpty);
  EXPECT_NEAR(heading_at(plan, kShortPlanEnd - 2), 998 * std::atan(0.0001), 1e-9);
}

struct RejectedCurveCase {
  const char* name;
  std::int32_t length;
  std::string record;
  std::int32_t full_compile;
  std::int32_t error_code;
};

TEST_F(TrackPlanTest, CurveErrors) {
  const std::vector<RejectedCurveCase> cases = {
      {"no radius digit", kShortLine, "curvas,  1000,  400", 1, 103},
      {"radius digit out of the table", kShortLine, "curvas7,  1000,  400", 1, 103},
      {"no radius digit, partial compile", kShortLine, "curvas,  1000,  400", 0, 0},
      {"curve ending at metre 999,999", 1000000, "curvad1,  999000,  999", 1, 0},
      {"curve ending at metre 1,000,000", 1000000, "curvad1,  999000,  1000", 1, 103},
      {"straight run past metre 1,000,000", 1000000, "curvad1,  1000001,  10", 1, 103},
  };
  for (const RejectedCurveCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CompiledModel model =
        compile(line_file(c.length, {"pendenza,  0,   5", c.record, "pendenza,  6000,   1"}), c.full_compile);
    EXPECT_EQ(model.error_code, c.error_code);
    EXPECT_EQ(model.error_position, kUntouchedPosition);
    EXPECT_FALSE(line_file_left());
    if (c.error_code == 103) {
      // The reading ends there: no later record, no gradient run-on, no
      // straight finish, no train half.
      EXPECT_EQ(model.route[0].gradient, 0);
      EXPECT_EQ(model.track_plan.tag(model.track_length - 2), PlanTag::kEmpty);
      EXPECT_TRUE(train_file_left());
      ASSERT_TRUE(error_source().has_value());
      EXPECT_EQ(error_source()->line, 5);
    } else {
      EXPECT_EQ(model.route[0].gradient, 105);
      EXPECT_FALSE(train_file_left());
    }
  }
}

// The cursor limit belongs to the curve step only: the straight finish runs
// on to the end of the longest plan.
TEST_F(TrackPlanTest, StraightFinishHasNoCursorLimit) {
  const CompiledModel model = compile(line_file(1000000, {}));
  ASSERT_EQ(model.error_code, 0);
  EXPECT_EQ(model.track_plan.tag(1006998), PlanTag::kDouble);
  EXPECT_EQ(model.track_plan.y(1006998), 1006998.0);
}

// The check builds a plan that keeps positions only. It must stop where a
// full plan stops, fail where it fails, and tag the same metres.
struct PlanStep {
  const char* keyword;
  std::int32_t p;
  std::int32_t n;
};

struct PositionsCase {
  const char* name;
  std::int32_t last_metre;
  std::vector<PlanStep> curves;
};

// Runs the curves, then the straight finish when every curve was laid;
// returns what each curve step answered.
std::vector<bool> run_plan(TrackPlan& plan, const PositionsCase& c) {
  plan.size(c.last_metre);
  compiler::start_track_plan(plan);
  std::vector<bool> answers;
  for (const PlanStep& step : c.curves) {
    answers.push_back(compiler::curve_step(plan, step.keyword, step.p, step.n));
    if (!answers.back()) return answers;
  }
  compiler::finish_track_plan(plan);
  return answers;
}

TEST(PositionsOnlyPlan, StopsFailsAndTagsAsAFullPlan) {
  const std::vector<PositionsCase> cases = {
      {"no curve", kShortPlanEnd, {}},
      {"curves inside the plan", kShortPlanEnd, {{"curvad4", 1000, 2000}, {"curvas6", 3500, 700}}},
      {"curve starting before the cursor", kShortPlanEnd, {{"curvad4", 1000, 200}, {"curvas4", 1100, 200}}},
      {"curve past the plan's end", kShortPlanEnd, {{"curvad1", 7000, 5000}}},
      {"curve at the very start", kShortPlanEnd, {{"curvad1", 0, 1}}},
      {"no radius digit", kShortPlanEnd, {{"curvad2", 100, 10}, {"curvas", 1000, 400}}},
      {"curve ending at metre 999,999", 1007000, {{"curvad1", 999000, 999}}},
      {"curve ending at metre 1,000,000", 1007000, {{"curvad1", 999000, 1000}}},
      {"straight run past metre 1,000,000", 1007000, {{"curvad1", 1000001, 10}}},
  };
  for (const PositionsCase& c : cases) {
    SCOPED_TRACE(c.name);
    TrackPlan full;
    TrackPlan positions;
    positions.keep_positions_only();
    EXPECT_TRUE(full.keeps_points());
    EXPECT_FALSE(positions.keeps_points());
    EXPECT_EQ(run_plan(positions, c), run_plan(full, c));
    EXPECT_EQ(positions.cursor(), full.cursor());
    EXPECT_EQ(positions.last_metre(), full.last_metre());
    for (const std::int32_t metre : {0, 1, 2, full.cursor() - 1, full.cursor(), c.last_metre - 2, c.last_metre}) {
      EXPECT_EQ(positions.tag(metre), full.tag(metre)) << metre;
    }
  }
}

}  // namespace
}  // namespace line_test
