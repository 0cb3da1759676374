#include "tools/scenario_payload.h"

#include <cmath>

#include "tools/decoded_fields.h"
#include "tools/route_features.h"

namespace tools {
namespace {

using nlohmann::json;

// Centimetres are finer than any drawing needs and keep the numbers short.
double centimetres(double metres) { return std::round(metres * 100) / 100; }

json stretches_json(const std::vector<Stretch>& stretches) {
  json list = json::array();
  for (const Stretch& s : stretches) list.push_back({{"start", s.start}, {"end", s.end}, {"value", s.value}});
  return list;
}

json marks_json(const std::vector<CellMark>& marks) {
  json list = json::array();
  for (const CellMark& m : marks) {
    list.push_back({{"metre", m.position}, {"kind", m.kind}, {"name", cell_kind_name(m.kind)}, {"value", m.value}});
  }
  return list;
}

// Every object cell, decoded, for the page to show under the pointer.
json objects_json(const std::vector<compiler::RouteCell>& route) {
  json list = json::array();
  for (std::size_t cell = 0; cell < route.size(); ++cell) {
    const auto text = cell_object_text(route[cell]);
    if (!text) continue;
    list.push_back({{"cell", cell},
                    {"metre", static_cast<double>(cell) * kCellMetres},
                    {"kind", route[cell].kind},
                    {"name", cell_kind_name(route[cell].kind)},
                    {"text", *text}});
  }
  return list;
}

// Thinned a kilometre at a time: each stretch's first metre is kept, which
// costs a point per kilometre and spares the thinning its passes over the
// whole line, so that a save is served quickly even on the longest line.
json plan_json(const std::vector<PlanPoint>& points) {
  constexpr std::size_t kStretch = 1000;
  json plan = {{"metres", json::array()}, {"x", json::array()}, {"y", json::array()}};
  if (points.size() < 2) return plan;
  const auto keep = [&](std::size_t i) {
    plan["metres"].push_back(i);
    plan["x"].push_back(centimetres(points[i].x));
    plan["y"].push_back(centimetres(points[i].y));
  };
  const std::size_t last = points.size() - 1;
  for (std::size_t from = 0; from < last; from += kStretch) {
    const std::vector<std::size_t> kept = thin_out(points, from, std::min(from + kStretch, last), kPlanToleranceMetres);
    for (std::size_t k = 0; k + 1 < kept.size(); ++k) keep(kept[k]);  // the stretch's end starts the next one
  }
  keep(last);
  return plan;
}

}  // namespace

std::vector<PlanPoint> plan_points(const compiler::TrackPlan& plan) {
  std::vector<PlanPoint> points;
  if (!plan.started()) return points;
  points.reserve(static_cast<std::size_t>(plan.cursor()));
  for (std::int32_t metre = 0; metre < plan.cursor(); ++metre) points.push_back({plan.x(metre), plan.y(metre)});
  return points;
}

json drawing_json(const compiler::CompiledModel& model) {
  const RouteFeatures features = route_features(model.route, model.scenario_table);
  json stations = json::array();
  for (const Station& s : features.stations) {
    const auto& entry = model.scenario_table[static_cast<std::size_t>(s.entry)];
    stations.push_back({{"entry", s.entry},
                        {"name", s.name},
                        {"metre", s.position},
                        {"kind", entry.code},
                        {"stretch_start", s.stretch_start},
                        {"stretch_end", s.stretch_end},
                        {"time", clock_text(entry.seconds)}});
  }
  json height = json::array();
  for (const ProfilePoint& p : features.height) height.push_back({p.distance, std::round(p.value * 1000) / 1000});
  return {{"line_metres", features.line_metres},
          {"drawn_metres", features.drawn_metres},
          {"route_metres", features.route_metres},
          {"stations", stations},
          {"signals", features.signals},
          {"speed_limits", stretches_json(features.speed_limits)},
          {"gradients", stretches_json(features.gradients)},
          {"height", height},
          {"tunnels", stretches_json(features.tunnels)},
          {"slowdowns", stretches_json(features.slowdowns)},
          {"slowdown_marks", marks_json(features.slowdown_marks)},
          {"lowering_points", marks_json(features.lowering_points)},
          {"objects", objects_json(model.route)},
          {"plan", plan_json(plan_points(model.track_plan))}};
}

}  // namespace tools
