#include "compiler/track_plan.h"

#include <algorithm>
#include <array>
#include <optional>

#include "compiler/text.h"

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

// The next point repeats the last step vector.
void step_straight(TrackPlan& plan) {
  const std::int32_t j = plan.cursor();
  plan.append(plan.x(j - 1) + (plan.x(j - 1) - plan.x(j - 2)),
              plan.y(j - 1) + (plan.y(j - 1) - plan.y(j - 2)));
}

// The next point turns the last step vector by about k radians; the vector
// is not normalised again, so it grows a little with every curved step.
void step_curved(TrackPlan& plan, double k) {
  const std::int32_t j = plan.cursor();
  const double dx = plan.x(j - 1) - plan.x(j - 2);
  const double dy = plan.y(j - 1) - plan.y(j - 2);
  plan.append(plan.x(j - 1) + (dx + k * dy), plan.y(j - 1) + (dy - k * dx));
}

}  // namespace

void size_track_plan(CompiledModel& model) { model.track_plan.size(model.track_length); }

void start_track_plan(TrackPlan& plan) { plan.start(); }

bool curve_step(TrackPlan& plan, std::string_view keyword, std::int32_t p, std::int32_t n) {
  std::optional<double> k = curvature_of(keyword);
  if (!k) return false;
  if (contains_ignoring_case(keyword, "s")) k = -*k;
  const std::int64_t straight_end = std::min<std::int64_t>(p, last_computed_metre(plan));
  while (plan.cursor() <= straight_end) {
    step_straight(plan);
    if (plan.cursor() > kMaxPlanCursor) return false;
  }
  const std::int64_t curve_end = std::min(std::int64_t{p} + n, last_computed_metre(plan));
  while (plan.cursor() <= curve_end) {
    step_curved(plan, *k);
    if (plan.cursor() > kMaxPlanCursor) return false;
  }
  return true;
}

void finish_track_plan(TrackPlan& plan) {
  while (plan.cursor() <= last_computed_metre(plan)) step_straight(plan);
}

}  // namespace compiler
