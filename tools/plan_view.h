#pragma once
// The plan view: the track drawn to scale from its computed points, north
// up, with stations, signals, tunnels, kilometre ticks and a scale bar.

#include <vector>

#include "tools/drawing.h"
#include "tools/plan_geometry.h"
#include "tools/route_features.h"
#include "tools/svg_writer.h"

namespace tools {

// Metres of plan to pixels: screen = (origin_x + scale·x, origin_y − scale·y).
struct PlanTransform {
  double scale = 1;
  double origin_x = 0;
  double origin_y = 0;
  double screen_x(double x) const { return origin_x + scale * x; }
  double screen_y(double y) const { return origin_y - scale * y; }
};

// The largest scale at which bounds fit into area, centred in it.
PlanTransform fit_plan(const PlanBounds& bounds, const Box& area);

// Draws into an element <g id="plan">. Needs at least two points.
void draw_plan_view(SvgWriter& svg, const std::vector<PlanPoint>& points, const RouteFeatures& features,
                    const Box& box);

}  // namespace tools
