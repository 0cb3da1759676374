#pragma once
// What the live viewer draws of one compiled model, as JSON: the stations,
// signals, speed limits, gradients, tunnels, slowdowns, lowering points and
// every other object cell, each in metres from the start of the line, and
// the track plan thinned for drawing.

#include <nlohmann/json.hpp>

#include <vector>

#include "model/model.h"
#include "tools/plan_geometry.h"

namespace tools {

// Plan points further apart than this from the drawn line are kept.
inline constexpr double kPlanToleranceMetres = 0.5;

// The computed metres of a track plan (none when it was not built).
std::vector<PlanPoint> plan_points(const compiler::TrackPlan& plan);

// The drawing of one model: an object whose members the page reads.
nlohmann::json drawing_json(const compiler::CompiledModel& model);

}  // namespace tools
