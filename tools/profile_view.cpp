#include "tools/profile_view.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/plan_geometry.h"

namespace tools {
namespace {

constexpr double kLeftMargin = 70;
constexpr double kRightMargin = 70;
constexpr double kTopMargin = 150;  // room for the station names, written upward
constexpr double kBottomMargin = 75;
constexpr double kTickPixels = 10;
constexpr double kStationFontSize = 11;
// Station names run upward from the chart to near the top of the view.
constexpr double kStationNameRoom = kTopMargin - 16;

// A value range with evenly spaced round ticks.
struct Axis {
  double from = 0;
  double to = 1;
  double step = 1;
};

Axis round_axis(double low, double high, double wanted_ticks) {
  Axis axis;
  axis.step = round_length((high - low) / wanted_ticks);
  axis.from = std::floor(low / axis.step) * axis.step;
  axis.to = std::ceil(high / axis.step) * axis.step;
  if (axis.to <= axis.from) axis.to = axis.from + axis.step;
  return axis;
}

// Where distances, heights and speeds fall on the chart.
struct ProfileScales {
  Box chart;
  double metres = 1;
  Axis height;
  Axis speed;
  double x(double distance) const { return chart.x + distance / metres * chart.width; }
  double height_y(double value) const {
    return chart.bottom() - (value - height.from) / (height.to - height.from) * chart.height;
  }
  double speed_y(double kmh) const { return chart.bottom() - (kmh - speed.from) / (speed.to - speed.from) * chart.height; }
  bool on_chart(double distance) const { return distance >= 0 && distance <= metres; }
};

ProfileScales scales_for(const RouteFeatures& features, const Box& box) {
  ProfileScales scales;
  scales.chart = {box.x + kLeftMargin, box.y + kTopMargin, box.width - kLeftMargin - kRightMargin,
                  box.height - kTopMargin - kBottomMargin};
  const double drawn = features.drawn_metres > 0 ? features.drawn_metres : features.route_metres;
  scales.metres = std::max(drawn, kCellMetres);
  double low = 0;
  double high = 0;
  for (const ProfilePoint& point : features.height) {
    low = std::min(low, point.value);
    high = std::max(high, point.value);
  }
  // A tenth more room at the top, so the lines do not run along the frame.
  scales.height = round_axis(low, high + (high - low) / 10, 5);
  double fastest = 0;
  for (const Stretch& step : features.speed_limits) fastest = std::max(fastest, static_cast<double>(step.value));
  scales.speed = round_axis(0, std::max(fastest * 1.1, 20.0), 5);
  return scales;
}

std::string x_text(double value) { return svg_number(value, 1); }

Attributes line_attributes(const char* css_class, double x1, double y1, double x2, double y2) {
  return {{"class", css_class}, {"x1", x_text(x1)}, {"y1", x_text(y1)}, {"x2", x_text(x2)}, {"y2", x_text(y2)}};
}

Attributes rect_attributes(const char* css_class, double x, double y, double width, double height) {
  return {{"class", css_class}, {"x", x_text(x)}, {"y", x_text(y)}, {"width", x_text(width)},
          {"height", x_text(height)}};
}

void add(Attributes& attributes, const Attributes& more) {
  attributes.insert(attributes.end(), more.begin(), more.end());
}

std::string kilometres(double metres) { return svg_number(metres / 1000, 2) + " km"; }

void draw_grid_and_axes(SvgWriter& svg, const ProfileScales& s) {
  const Box& c = s.chart;
  svg.open("g", {{"id", "profile-axes"}, {"font-family", kFont}, {"font-size", "10"}, {"fill", kInkColour}});
  const double distance_step = round_length(s.metres / 8);
  for (double d = 0; d <= s.metres + 1e-6; d += distance_step) {
    Attributes grid = line_attributes("grid", s.x(d), c.y, s.x(d), c.bottom());
    add(grid, {{"stroke", kGridColour}});
    svg.empty("line", grid);
    svg.text("text", {{"class", "km-label"}, {"x", x_text(s.x(d))}, {"y", x_text(c.bottom() + 28)},
                      {"text-anchor", "middle"}},
             svg_number(d / 1000, 2));
  }
  for (double h = s.height.from; h <= s.height.to + 1e-9; h += s.height.step) {
    Attributes grid = line_attributes("grid", c.x, s.height_y(h), c.right(), s.height_y(h));
    add(grid, {{"stroke", kGridColour}});
    svg.empty("line", grid);
    svg.text("text", {{"class", "height-label"}, {"x", x_text(c.x - 6)}, {"y", x_text(s.height_y(h) + 3)},
                      {"text-anchor", "end"}, {"fill", kHeightColour}},
             svg_number(h));
  }
  for (double v = s.speed.from; v <= s.speed.to + 1e-9; v += s.speed.step) {
    svg.text("text", {{"class", "speed-label"}, {"x", x_text(c.right() + 6)}, {"y", x_text(s.speed_y(v) + 3)},
                      {"fill", kSpeedColour}},
             svg_number(v));
  }
  svg.empty("rect", {{"x", x_text(c.x)}, {"y", x_text(c.y)}, {"width", x_text(c.width)},
                     {"height", x_text(c.height)}, {"fill", "none"}, {"stroke", kInkColour}});
  svg.text("text", {{"x", x_text(c.x + c.width / 2)}, {"y", x_text(c.bottom() + 44)}, {"text-anchor", "middle"}},
           "distance from the start (km)");
  // Axis titles run along their axes, clear of the station names above.
  const double middle = c.y + c.height / 2;
  const double left = c.x - 48;
  const double right = c.right() + 52;
  svg.text("text", {{"x", x_text(left)}, {"y", x_text(middle)}, {"text-anchor", "middle"}, {"fill", kHeightColour},
                    {"transform", "rotate(-90 " + x_text(left) + " " + x_text(middle) + ")"}},
           "height (m)");
  svg.text("text", {{"x", x_text(right)}, {"y", x_text(middle)}, {"text-anchor", "middle"}, {"fill", kSpeedColour},
                    {"transform", "rotate(90 " + x_text(right) + " " + x_text(middle) + ")"}},
           "speed limit (km/h)");
  svg.close();
}

void draw_stretches(SvgWriter& svg, const ProfileScales& s, const std::vector<Stretch>& stretches,
                    const char* css_class, const char* colour, const char* opacity, const std::string& what) {
  for (const Stretch& stretch : stretches) {
    const double from = s.x(std::clamp(stretch.start, 0.0, s.metres));
    const double to = s.x(std::clamp(stretch.end, 0.0, s.metres));
    if (to <= from) continue;
    Attributes band = rect_attributes(css_class, from, s.chart.y, to - from, s.chart.height);
    add(band, {{"fill", colour}, {"fill-opacity", opacity}});
    svg.open("rect", band);
    svg.text("title", {}, what + " " + std::to_string(stretch.value) + ", " + kilometres(stretch.start) + " to " +
                              kilometres(stretch.end));
    svg.close();
  }
}

// The height profile up to the end of the chart, cut there.
std::vector<ProfilePoint> height_on_chart(const ProfileScales& s, const std::vector<ProfilePoint>& height) {
  std::vector<ProfilePoint> points;
  for (std::size_t i = 0; i < height.size(); ++i) {
    if (height[i].distance <= s.metres) {
      points.push_back(height[i]);
      continue;
    }
    if (i > 0) {
      const ProfilePoint& before = height[i - 1];
      const double share = (s.metres - before.distance) / (height[i].distance - before.distance);
      points.push_back({s.metres, before.value + share * (height[i].value - before.value)});
    }
    break;
  }
  return points;
}

void draw_height(SvgWriter& svg, const ProfileScales& s, const std::vector<ProfilePoint>& all_points) {
  const std::vector<ProfilePoint> height = height_on_chart(s, all_points);
  if (height.empty()) return;
  std::string line;
  for (const ProfilePoint& point : height) {
    line += (line.empty() ? "M" : " L") + x_text(s.x(point.distance)) + " " + x_text(s.height_y(point.value));
  }
  const std::string area = line + " L" + x_text(s.x(height.back().distance)) + " " + x_text(s.chart.bottom()) +
                           " L" + x_text(s.x(height.front().distance)) + " " + x_text(s.chart.bottom()) + " Z";
  svg.empty("path", {{"class", "height-area"}, {"d", area}, {"fill", kHeightFillColour}, {"fill-opacity", "0.7"}});
  svg.empty("path", {{"class", "height-profile"}, {"d", line}, {"fill", "none"}, {"stroke", kHeightColour},
                     {"stroke-width", "2"}, {"stroke-linejoin", "round"}});
}

void draw_speed_limit(SvgWriter& svg, const ProfileScales& s, const std::vector<Stretch>& steps) {
  if (steps.empty()) return;
  std::string d;
  for (const Stretch& step : steps) {
    if (step.start >= s.metres) break;
    const double y = s.speed_y(step.value);
    d += d.empty() ? "M" + x_text(s.x(step.start)) + " " + x_text(y) : " V" + x_text(y);
    d += " H" + x_text(s.x(std::min(step.end, s.metres)));
  }
  svg.empty("path", {{"class", "speed-limit"}, {"d", d}, {"fill", "none"}, {"stroke", kSpeedColour},
                     {"stroke-width", "1.5"}});
}

// Each slowdown's speed as a dashed line on the speed scale over its
// stretch, labelled with the speed above the line where the label meets
// no other.
void draw_slowdown_speeds(SvgWriter& svg, const ProfileScales& s, const std::vector<Stretch>& slowdowns) {
  constexpr double kFontSize = 10;
  std::vector<Box> labels;
  svg.open("g", {{"id", "profile-slowdown-speeds"}, {"font-family", kFont}, {"font-size", svg_number(kFontSize)},
                 {"font-weight", "bold"}, {"fill", kSpeedColour}});
  for (const Stretch& slowdown : slowdowns) {
    const double from = s.x(std::clamp(slowdown.start, 0.0, s.metres));
    const double to = s.x(std::clamp(slowdown.end, 0.0, s.metres));
    if (to <= from) continue;
    const double y = std::clamp(s.speed_y(slowdown.value), s.chart.y, s.chart.bottom());
    Attributes line = line_attributes("slowdown-speed", from, y, to, y);
    add(line, {{"stroke", kSpeedColour}, {"stroke-width", "2"}, {"stroke-dasharray", "4 2"}});
    svg.empty("line", line);
    const std::string text = std::to_string(slowdown.value) + " km/h";
    const Box box = text_box((from + to) / 2, y - 8, "middle", text, kFontSize);
    if (std::any_of(labels.begin(), labels.end(), [&](const Box& other) { return overlaps(box, other); })) continue;
    labels.push_back(box);
    svg.text("text", {{"class", "slowdown-label"}, {"x", x_text((from + to) / 2)}, {"y", x_text(y - 8)},
                      {"text-anchor", "middle"}, {"dominant-baseline", "middle"}},
             text);
  }
  svg.close();
}

std::string per_mille_text(int value) {
  return (value > 0 ? "+" : value < 0 ? "\xE2\x88\x92" : "") + std::to_string(std::abs(value)) + "\xE2\x80\xB0";
}

// The gradient of each run, in per mille, in a row along the bottom of the
// chart; a run too narrow for its label, or whose label would touch the one
// before, goes without.
void draw_gradient_labels(SvgWriter& svg, const ProfileScales& s, const std::vector<Stretch>& gradients) {
  constexpr double kFontSize = 9;
  svg.open("g", {{"id", "profile-gradients"}, {"font-family", kFont}, {"font-size", svg_number(kFontSize)},
                 {"fill", kHeightColour}});
  const double y = s.chart.bottom() - 18;
  double free_from = s.chart.x;
  for (const Stretch& run : gradients) {
    const double from = s.x(std::clamp(run.start, 0.0, s.metres));
    const double to = s.x(std::clamp(run.end, 0.0, s.metres));
    const std::string text = per_mille_text(run.value);
    const double width = text_width(text, kFontSize);
    const double middle = (from + to) / 2;
    if (to - from < width + 4 || middle - width / 2 < free_from) continue;
    svg.text("text", {{"class", "gradient-label"}, {"x", x_text(middle)}, {"y", x_text(y)},
                      {"text-anchor", "middle"}, {"dominant-baseline", "middle"}},
             text);
    free_from = middle + width / 2 + 4;
  }
  svg.close();
}

void draw_stations(SvgWriter& svg, const ProfileScales& s, const std::vector<Station>& stations) {
  svg.open("g", {{"id", "profile-stations"}, {"font-family", kFont}, {"font-size", svg_number(kStationFontSize)},
                 {"fill", kStationColour}});
  for (const Station& station : stations) {
    if (!s.on_chart(station.position)) continue;
    const double x = s.x(station.position);
    Attributes line = line_attributes("station-line", x, s.chart.y, x, s.chart.bottom());
    add(line, {{"stroke", kStationColour}, {"stroke-width", "1.2"}, {"stroke-dasharray", "5 3"}});
    svg.empty("line", line);
    const double label_y = s.chart.y - 6;
    svg.text("text", {{"class", "station-label"}, {"x", x_text(x + 4)}, {"y", x_text(label_y)},
                      {"transform", "rotate(-90 " + x_text(x) + " " + x_text(label_y) + ")"}},
             fit_text(station.name, kStationNameRoom, kStationFontSize));
  }
  svg.close();
}

void draw_signals(SvgWriter& svg, const ProfileScales& s, const std::vector<double>& signals) {
  svg.open("g", {{"id", "profile-signals"}, {"stroke", kSignalColour}, {"stroke-width", "1.5"}});
  for (double signal : signals) {
    if (!s.on_chart(signal)) continue;
    const double x = s.x(signal);
    svg.empty("line", line_attributes("signal-tick", x, s.chart.bottom(), x, s.chart.bottom() - kTickPixels));
  }
  svg.close();
}

std::string mark_name(int kind) {
  switch (kind) {
    case compiler::kSlowdownEnd: return "slowdown end";
    case compiler::kSlowdownStart: return "slowdown start";
    case compiler::kSlowdownWarning: return "slowdown warning board";
    case compiler::kSlowdownApproach: return "slowdown approach board";
    case compiler::kLoweringPoint: return "lowering point";
    default: return "lowering record";
  }
}

// Small triangles on the top edge of the chart, pointing down at the place.
void draw_marks(SvgWriter& svg, const ProfileScales& s, const std::vector<CellMark>& marks, const char* css_class,
                const char* colour) {
  for (const CellMark& mark : marks) {
    if (!s.on_chart(mark.position)) continue;
    const double x = s.x(mark.position);
    const double y = s.chart.y;
    const std::string d = "M" + x_text(x) + " " + x_text(y + 8) + " L" + x_text(x - 4) + " " + x_text(y) + " L" +
                          x_text(x + 4) + " " + x_text(y) + " Z";
    svg.open("path", {{"class", css_class}, {"d", d}, {"fill", colour}});
    svg.text("title", {}, mark_name(mark.kind) + " " + std::to_string(mark.value) + " at " + kilometres(mark.position));
    svg.close();
  }
}

void draw_legend(SvgWriter& svg, const Box& box) {
  struct Entry {
    const char* colour;
    const char* text;
  };
  const Entry entries[] = {{kHeightColour, "height"},           {kSpeedColour, "speed limit"},
                           {kTunnelBandColour, "tunnel"},       {kStationColour, "station"},
                           {kSignalColour, "signal"},           {kSlowdownColour, "slowdown"},
                           {kLoweringColour, "lowering point"}};
  svg.open("g", {{"id", "profile-legend"}, {"font-family", kFont}, {"font-size", "10"}, {"fill", kInkColour}});
  double x = box.x + kLeftMargin;
  const double y = box.bottom() - 14;
  for (const Entry& entry : entries) {
    svg.empty("rect", {{"x", x_text(x)}, {"y", x_text(y - 8)}, {"width", "12"}, {"height", "8"},
                       {"fill", entry.colour}});
    svg.text("text", {{"x", x_text(x + 16)}, {"y", x_text(y)}}, entry.text);
    x += 110;
  }
  svg.close();
}

}  // namespace

void draw_profile_view(SvgWriter& svg, const RouteFeatures& features, const Box& box) {
  const ProfileScales scales = scales_for(features, box);
  svg.open("g", {{"id", "profile"}});
  draw_view_frame(svg, box, "Profile");
  draw_stretches(svg, scales, features.tunnels, "tunnel-band", kTunnelBandColour, "1", "Tunnel type");
  draw_stretches(svg, scales, features.slowdowns, "slowdown-band", kSlowdownColour, "0.3", "Slowdown, km/h");
  draw_grid_and_axes(svg, scales);
  draw_height(svg, scales, features.height);
  draw_speed_limit(svg, scales, features.speed_limits);
  draw_slowdown_speeds(svg, scales, features.slowdowns);
  draw_gradient_labels(svg, scales, features.gradients);
  draw_stations(svg, scales, features.stations);
  draw_signals(svg, scales, features.signals);
  draw_marks(svg, scales, features.slowdown_marks, "slowdown-mark", kSlowdownColour);
  draw_marks(svg, scales, features.lowering_points, "lowering-point", kLoweringColour);
  draw_legend(svg, box);
  svg.close();
}

}  // namespace tools
