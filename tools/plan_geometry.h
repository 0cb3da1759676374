#pragma once
// The track plan as points to draw: the computed metres of a line data
// file, their extent, and a thinned-out polyline that stays within a given
// distance of every computed point.

#include <cstddef>
#include <string>
#include <vector>

#include "formats/line_data_file.h"

namespace tools {

// One metre of the plan in plan coordinates.
struct PlanPoint {
  double x = 0;  // metres east of the start
  double y = 0;  // metres north of the start
};

// The computed part of a plan: the point of metre m at index m, for every
// metre from 0 up to the first one with an empty element.
struct PlanPoints {
  std::vector<PlanPoint> points;
  std::string error;  // why the plan cannot be drawn; points are then empty
  bool ok() const { return error.empty(); }
};

// No metre of a plan lies further than this from the start (a plan holds at
// most 1,000,000 metres); anything beyond comes from a damaged file.
inline constexpr double kMaxPlanCoordinate = 2'000'000;

// Refuses a coordinate that is not a finite number or lies beyond
// kMaxPlanCoordinate, naming its metre.
PlanPoints computed_points(const compiler::LineData& plan);

// The box around a plan, in plan metres.
struct PlanBounds {
  double min_x = 0;
  double min_y = 0;
  double max_x = 0;
  double max_y = 0;
  double width() const { return max_x - min_x; }
  double height() const { return max_y - min_y; }
};

// The smallest box holding all points; all zero for none.
PlanBounds bounds_of(const std::vector<PlanPoint>& points);

// Indexes of the points to keep (first and last always) so that every point
// between two kept ones lies within tolerance of the segment joining them.
std::vector<std::size_t> thin_out(const std::vector<PlanPoint>& points, std::size_t first, std::size_t last,
                                  double tolerance);

// Distance of p from the segment a-b.
double distance_to_segment(PlanPoint p, PlanPoint a, PlanPoint b);

// The unit direction of travel at index i, from its neighbours; (0, 1) when
// the neighbours coincide.
PlanPoint direction_at(const std::vector<PlanPoint>& points, std::size_t i);

// A length of 1, 2 or 5 times a power of ten, the largest not above limit
// (limit at least 1).
double round_length(double limit);

}  // namespace tools
