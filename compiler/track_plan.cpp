#include "compiler/track_plan.h"

#include <algorithm>
#include <array>
#include <optional>

#include "reading/text.h"

namespace compiler {
namespace {

struct Curvature {
  char digit;
  double per_metre;
};

// Radius digits in the order they are looked for: the first one the keyword
// holds wins.
constexpr std::array<Curvature, 6> kCurvatures = {{
    {'1', 0.0001},
    {'2', 0.0002},
    {'3', 0.0004},
    {'4', 0.001},
    {'5', 0.002},
    {'6', 0.003},
}};

std::optional<double> curvature_of(std::string_view keyword) {
  for (const Curvature& curvature : kCurvatures) {
    if (keyword.find(curvature.digit) != std::string_view::npos) return curvature.per_metre;
  }
  return std::nullopt;
}

// The last metre a step may compute: the plan's last two metres stay empty.
std::int64_t last_computed_metre(const TrackPlan& plan) { return std::int64_t{plan.last_metre()} - 2; }

// The last two points of the plan, carried from one step to the next so
// that a step reads them from registers rather than back from the plan.
// Each step does the same operations in the same order as the written
// formula, so the points are the same to the last bit.
class PlanTail {
 public:
  // A plan not started yet has no points to carry; it takes no step either.
  explicit PlanTail(const TrackPlan& plan) {
    if (plan.cursor() < 2) return;
    x_before_ = plan.x(plan.cursor() - 2);
    y_before_ = plan.y(plan.cursor() - 2);
    x_last_ = plan.x(plan.cursor() - 1);
    y_last_ = plan.y(plan.cursor() - 1);
  }

  // The next point repeats the last step vector.
  void step_straight(TrackPlan& plan) {
    push(plan, x_last_ + (x_last_ - x_before_), y_last_ + (y_last_ - y_before_));
  }

  // The next point turns the last step vector by about k radians; the vector
  // is not normalised again, so it grows a little with every curved step.
  void step_curved(TrackPlan& plan, double k) {
    const double dx = x_last_ - x_before_;
    const double dy = y_last_ - y_before_;
    push(plan, x_last_ + (dx + k * dy), y_last_ + (dy - k * dx));
  }

 private:
  void push(TrackPlan& plan, double x, double y) {
    plan.append(x, y);
    x_before_ = x_last_;
    y_before_ = y_last_;
    x_last_ = x;
    y_last_ = y;
  }

  double x_before_ = 0;
  double y_before_ = 0;
  double x_last_ = 0;
  double y_last_ = 0;
};

}  // namespace

void size_track_plan(CompiledModel& model) { model.track_plan.size(model.track_length); }

void start_track_plan(TrackPlan& plan) { plan.start(); }

namespace {

// Runs the plan while its cursor is at most end; false when that leaves the
// cursor past kMaxPlanCursor, with nothing run after the metre that passed
// it. run_through(last) moves the cursor just past metre last: the steps up
// to the limit run without looking at it, one comparison a metre.
template <typename RunThrough>
bool run_while_at_most(TrackPlan& plan, std::int64_t end, RunThrough run_through) {
  const std::int64_t unchecked_end = std::min<std::int64_t>(end, kMaxPlanCursor);
  if (plan.cursor() <= unchecked_end) {
    run_through(unchecked_end);
    return plan.cursor() <= kMaxPlanCursor;
  }
  if (plan.cursor() <= end) {
    // Already past the limit: the one step, then the failure.
    run_through(plan.cursor());
    return false;
  }
  return true;
}

// The two ways to run a plan through a metre: a full plan computes each point
// in turn; one that keeps positions only moves its cursor there at once.
template <typename Step>
auto stepping(TrackPlan& plan, Step step) {
  return [&plan, step](std::int64_t last) {
    for (std::int64_t metre = plan.cursor(); metre <= last; ++metre) step();
  };
}

auto skipping(TrackPlan& plan) {
  return [&plan](std::int64_t last) { plan.skip_to(static_cast<std::int32_t>(last + 1)); };
}

}  // namespace

bool curve_step(TrackPlan& plan, std::string_view keyword, std::int32_t p, std::int32_t n) {
  std::optional<double> k = curvature_of(keyword);
  if (!k) return false;
  if (contains_ignoring_case(keyword, "s")) k = -*k;
  const std::int64_t straight_end = std::min<std::int64_t>(p, last_computed_metre(plan));
  const std::int64_t curve_end = std::min(std::int64_t{p} + n, last_computed_metre(plan));
  if (!plan.keeps_points()) {
    return run_while_at_most(plan, straight_end, skipping(plan)) &&
           run_while_at_most(plan, curve_end, skipping(plan));
  }
  PlanTail tail(plan);
  if (!run_while_at_most(plan, straight_end, stepping(plan, [&] { tail.step_straight(plan); }))) return false;
  const double curvature = *k;
  return run_while_at_most(plan, curve_end, stepping(plan, [&] { tail.step_curved(plan, curvature); }));
}

void finish_track_plan(TrackPlan& plan) {
  const std::int64_t last = last_computed_metre(plan);
  if (plan.cursor() > last) return;
  if (!plan.keeps_points()) {
    skipping(plan)(last);
    return;
  }
  PlanTail tail(plan);
  stepping(plan, [&] { tail.step_straight(plan); })(last);
}

}  // namespace compiler
