#include "tools/scenario_picture.h"

#include "naming/identifiers.h"
#include "tools/drawing.h"
#include "tools/plan_geometry.h"
#include "tools/plan_view.h"
#include "tools/profile_view.h"
#include "tools/route_features.h"
#include "tools/svg_writer.h"

namespace tools {
namespace {

constexpr double kWidth = 1200;
constexpr double kPadding = 20;
constexpr double kTitleHeight = 40;
constexpr double kPlanHeight = 760;
constexpr double kNoteHeight = 30;
constexpr double kProfileHeight = 470;

std::string file_name_of(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Why there is no plan view, or empty when there is one.
std::string missing_plan_reason(const CompiledScenario& scenario, const PlanPoints& plan) {
  const std::string name = naming::windows1252_to_utf8(file_name_of(scenario.line_data_path));
  if (!scenario.line_data) {
    return "No plan view: there is no line data file " + name +
           " (the scenario was compiled without a track plan, --no-plan).";
  }
  if (plan.points.size() < 2) return "No plan view: the line data file " + name + " holds no computed track.";
  return {};
}

void draw_title(SvgWriter& svg, const CompiledScenario& scenario, const RouteFeatures& features) {
  std::string title = naming::windows1252_to_utf8(scenario.scenario_id) + ", train " + naming::windows1252_to_utf8(scenario.train_id);
  if (features.line_metres > 0) title += ", line " + svg_number(features.line_metres / 1000, 2) + " km";
  svg.text("text", {{"class", "title"}, {"x", svg_number(kPadding)}, {"y", svg_number(kPadding + 14)},
                    {"font-family", kFont}, {"font-size", "18"}, {"font-weight", "bold"}, {"fill", kInkColour}},
           title);
}

}  // namespace

Picture scenario_picture(const CompiledScenario& scenario) {
  PlanPoints plan;
  if (scenario.line_data) {
    plan = computed_points(*scenario.line_data);
    if (!plan.ok()) return {{}, naming::windows1252_to_utf8(scenario.line_data_path) + ": " + plan.error};
  }
  const RouteFeatures features = route_features(scenario.route, scenario.table);
  const std::string no_plan = missing_plan_reason(scenario, plan);
  const double middle_height = no_plan.empty() ? kPlanHeight : kNoteHeight;
  const double height = kPadding + kTitleHeight + middle_height + kPadding + kProfileHeight + kPadding;

  SvgWriter svg(kWidth, height);
  svg.text("title", {}, naming::windows1252_to_utf8(scenario.scenario_id) + " " + naming::windows1252_to_utf8(scenario.train_id));
  svg.empty("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "#f7f7f4"}});
  draw_title(svg, scenario, features);
  const double middle_top = kPadding + kTitleHeight;
  const double inner_width = kWidth - 2 * kPadding;
  if (no_plan.empty()) {
    draw_plan_view(svg, plan.points, features, {kPadding, middle_top, inner_width, kPlanHeight});
  } else {
    svg.text("text", {{"class", "note"}, {"x", svg_number(kPadding)}, {"y", svg_number(middle_top + 18)},
                      {"font-family", kFont}, {"font-size", "13"}, {"fill", kInkColour}},
             no_plan);
  }
  draw_profile_view(svg, features, {kPadding, middle_top + middle_height + kPadding, inner_width, kProfileHeight});
  return {svg.finish(), {}};
}

}  // namespace tools
