#pragma once
// The profile view: distance along the line across, the height profile and
// the speed limit each on its own scale, with tunnels, stations, signals,
// slowdowns and lowering points where the route has them.

#include "tools/drawing.h"
#include "tools/route_features.h"
#include "tools/svg_writer.h"

namespace tools {

// Draws into an element <g id="profile">.
void draw_profile_view(SvgWriter& svg, const RouteFeatures& features, const Box& box);

}  // namespace tools
