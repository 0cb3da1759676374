#include "tools/plan_geometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tools {
namespace {

bool drawable(double coordinate) { return std::isfinite(coordinate) && std::abs(coordinate) <= kMaxPlanCoordinate; }

bool filled(const compiler::PlanElement& element) { return element.tag != compiler::PlanTag::kEmpty; }

}  // namespace

PlanPoints computed_points(const compiler::LineData& plan) {
  PlanPoints result;
  const std::size_t metres = std::min(plan.x.size(), plan.y.size());
  for (std::size_t m = 0; m < metres && filled(plan.x[m]) && filled(plan.y[m]); ++m) {
    const double x = plan.x[m].value;
    const double y = plan.y[m].value;
    if (!drawable(x) || !drawable(y)) {
      result.points.clear();
      result.error = "the point of metre " + std::to_string(m) +
                     " is not a finite number within 2000 km of the start";
      return result;
    }
    result.points.push_back({x, y});
  }
  return result;
}

PlanBounds bounds_of(const std::vector<PlanPoint>& points) {
  if (points.empty()) return {};
  PlanBounds bounds{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const PlanPoint& p : points) {
    bounds.min_x = std::min(bounds.min_x, p.x);
    bounds.min_y = std::min(bounds.min_y, p.y);
    bounds.max_x = std::max(bounds.max_x, p.x);
    bounds.max_y = std::max(bounds.max_y, p.y);
  }
  return bounds;
}

double distance_to_segment(PlanPoint p, PlanPoint a, PlanPoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length_squared = dx * dx + dy * dy;
  double t = 0;
  if (length_squared > 0) t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length_squared, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The squared distance of p from the segment a-b, whose vector (dx, dy)
// and squared length are given: no square root in the inner loop.
double squared_distance_to_segment(PlanPoint p, PlanPoint a, double dx, double dy, double length_squared) {
  double t = 0;
  if (length_squared > 0) t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length_squared, 0.0, 1.0);
  const double ex = p.x - (a.x + t * dx);
  const double ey = p.y - (a.y + t * dy);
  return ex * ex + ey * ey;
}

// Douglas-Peucker, with an explicit stack so that a long plan cannot
// exhaust the call stack. Compares squared distances.
std::vector<std::size_t> thin_out(const std::vector<PlanPoint>& points, std::size_t first, std::size_t last,
                                  double tolerance) {
  if (points.empty() || first > last || last >= points.size()) return {};
  if (first == last) return {first};
  const double tolerance_squared = tolerance * tolerance;
  std::vector<bool> keep(last - first + 1, false);
  keep.front() = keep.back() = true;
  std::vector<std::pair<std::size_t, std::size_t>> pending{{first, last}};
  while (!pending.empty()) {
    const auto [from, to] = pending.back();
    pending.pop_back();
    const PlanPoint a = points[from];
    const double dx = points[to].x - a.x;
    const double dy = points[to].y - a.y;
    const double length_squared = dx * dx + dy * dy;
    double farthest = -1;
    std::size_t farthest_index = from;
    for (std::size_t i = from + 1; i < to; ++i) {
      const double distance = squared_distance_to_segment(points[i], a, dx, dy, length_squared);
      if (distance > farthest) {
        farthest = distance;
        farthest_index = i;
      }
    }
    if (farthest > tolerance_squared) {
      keep[farthest_index - first] = true;
      pending.emplace_back(from, farthest_index);
      pending.emplace_back(farthest_index, to);
    }
  }
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < keep.size(); ++i) {
    if (keep[i]) kept.push_back(first + i);
  }
  return kept;
}

PlanPoint direction_at(const std::vector<PlanPoint>& points, std::size_t i) {
  if (points.size() < 2 || i >= points.size()) return {0, 1};
  const PlanPoint& before = points[i == 0 ? 0 : i - 1];
  const PlanPoint& after = points[std::min(i + 1, points.size() - 1)];
  const double dx = after.x - before.x;
  const double dy = after.y - before.y;
  const double length = std::hypot(dx, dy);
  if (length == 0) return {0, 1};
  return {dx / length, dy / length};
}

double round_length(double limit) {
  limit = std::max(limit, 1.0);
  double power = std::pow(10.0, std::floor(std::log10(limit)));
  for (double factor : {5.0, 2.0, 1.0}) {
    if (factor * power <= limit) return factor * power;
  }
  return power;
}

}  // namespace tools
