#include "tools/plan_view.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace tools {
namespace {

// Largest gap, in pixels, between the drawn line and a computed point.
constexpr double kDrawingTolerancePixels = 0.25;
constexpr double kKilometreTickMetres = 10000;
constexpr double kMargin = 70;  // room for labels around the track
constexpr double kLabelGap = 9;  // pixels between the track and a station label

// Digits after the point for plan metres, so that rounding moves a point by
// well under a pixel: at least two (centimetres), more for a small plan drawn large.
int coordinate_decimals(const PlanTransform& to_screen) {
  const double digits = std::ceil(std::log10(to_screen.scale * 20));
  return static_cast<int>(std::clamp(digits, 2.0, 9.0));
}

std::string path_data(const std::vector<PlanPoint>& points, const std::vector<std::size_t>& indexes, int decimals) {
  std::string d;
  for (std::size_t i : indexes) {
    d += (d.empty() ? "M" : " L") + svg_number(points[i].x, decimals) + " " + svg_number(points[i].y, decimals);
  }
  return d;
}

// The index of a position in metres on the computed plan, if it lies there.
std::optional<std::size_t> metre_index(double position, const std::vector<PlanPoint>& points) {
  if (points.empty() || !(position >= 0) || position > static_cast<double>(points.size() - 1)) return std::nullopt;
  return static_cast<std::size_t>(std::lround(position));
}

// The track, its tunnels and its signals, drawn in plan metres inside a
// group that carries the transform, so the path holds the plan's own
// coordinates. Widths are divided by the scale to come out in pixels.
void draw_track(SvgWriter& svg, const std::vector<PlanPoint>& points, const RouteFeatures& features,
                const PlanTransform& to_screen) {
  const double pixel = 1 / to_screen.scale;
  const double tolerance = kDrawingTolerancePixels * pixel;
  const int decimals = coordinate_decimals(to_screen);
  svg.open("g", {{"id", "plan-track"},
                 {"transform", "matrix(" + svg_number(to_screen.scale, 9) + " 0 0 " + svg_number(-to_screen.scale, 9) +
                                   " " + svg_number(to_screen.origin_x, 3) + " " +
                                   svg_number(to_screen.origin_y, 3) + ")"},
                 {"fill", "none"},
                 {"stroke-linecap", "round"},
                 {"stroke-linejoin", "round"}});
  const std::size_t last = points.size() - 1;
  for (const Stretch& tunnel : features.tunnels) {
    const auto from = metre_index(tunnel.start, points);
    const auto to = metre_index(std::min(tunnel.end, static_cast<double>(last)), points);
    if (!from || !to || *from >= *to) continue;
    svg.open("path", {{"class", "tunnel"}, {"d", path_data(points, thin_out(points, *from, *to, tolerance), decimals)},
                      {"stroke", kTunnelColour}, {"stroke-width", svg_number(6 * pixel, 3)},
                      {"stroke-linecap", "butt"}});
    svg.text("title", {}, "Tunnel " + svg_number(tunnel.start / 1000) + " - " + svg_number(tunnel.end / 1000) + " km");
    svg.close();
  }
  svg.empty("path", {{"class", "track"}, {"d", path_data(points, thin_out(points, 0, last, tolerance), decimals)},
                     {"stroke", kTrackColour}, {"stroke-width", svg_number(1.6 * pixel, 3)}});
  for (double signal : features.signals) {
    const auto at = metre_index(signal, points);
    if (!at) continue;
    svg.empty("circle", {{"class", "signal-mark"}, {"cx", svg_number(points[*at].x, decimals)},
                         {"cy", svg_number(points[*at].y, decimals)},
                         {"r", svg_number(2 * pixel, 3)}, {"fill", kSignalColour}, {"stroke", "none"}});
  }
  svg.close();
}

// A point beside the track at index, `pixels` to the left of the direction
// of travel (to the right when negative), in screen coordinates, and the
// text anchor that keeps a label there clear of the track.
struct Beside {
  double x = 0;
  double y = 0;
  const char* anchor = "start";
};

Beside beside(const std::vector<PlanPoint>& points, std::size_t index, const PlanTransform& to_screen, double pixels) {
  const PlanPoint direction = direction_at(points, index);
  // Left of travel is (-dy, dx) in the plan; y turns over on the screen.
  const double normal_x = -direction.y;
  const double normal_y = -direction.x;
  return {to_screen.screen_x(points[index].x) + pixels * normal_x,
          to_screen.screen_y(points[index].y) + pixels * normal_y, pixels * normal_x >= 0 ? "start" : "end"};
}

// Label boxes already on the plan, and the room labels must stay within.
struct LabelSpace {
  Box room;
  std::vector<Box> taken;
  bool free(const Box& box) const {
    if (!contains(room, box)) return false;
    return std::none_of(taken.begin(), taken.end(), [&](const Box& other) { return overlaps(box, other); });
  }
};

struct PlacedLabel {
  double x = 0;
  double y = 0;
  const char* anchor = "start";
  std::string text;
};

// The first free place for a label near the track at index: beside the
// track on the left, then on the right, each further out, then shifted up
// and down. A name too long for any place is shortened. Nothing when no
// place is free.
std::optional<PlacedLabel> place_label(LabelSpace& space, const std::vector<PlanPoint>& points, std::size_t index,
                                       const PlanTransform& to_screen, const std::string& text, double font_size) {
  static constexpr double kGaps[] = {kLabelGap, 20, 34, 52};
  static constexpr double kShifts[] = {0, -14, 14, -28, 28};
  static constexpr double kLongestName = 170;
  for (const std::string& candidate : {fit_text(text, kLongestName, font_size), fit_text(text, 90, font_size)}) {
    if (candidate.empty()) continue;
    for (double shift : kShifts) {
      for (double gap : kGaps) {
        for (double side : {1.0, -1.0}) {
          const Beside at = beside(points, index, to_screen, side * gap);
          const Box box = text_box(at.x, at.y + shift, at.anchor, candidate, font_size);
          if (space.free(box)) {
            space.taken.push_back(box);
            return PlacedLabel{at.x, at.y + shift, at.anchor, candidate};
          }
        }
      }
    }
  }
  return std::nullopt;
}

// A square of the given half size around a point, as an obstacle for labels.
Box around(double x, double y, double half) { return {x - half, y - half, 2 * half, 2 * half}; }

void draw_stations(SvgWriter& svg, LabelSpace& space, const std::vector<PlanPoint>& points,
                   const RouteFeatures& features, const PlanTransform& to_screen) {
  constexpr double kFontSize = 11;
  svg.open("g", {{"id", "plan-stations"}, {"font-family", kFont}, {"font-size", svg_number(kFontSize)}});
  for (const Station& station : features.stations) {
    const auto at = metre_index(station.position, points);
    if (!at) continue;
    const double x = to_screen.screen_x(points[*at].x);
    const double y = to_screen.screen_y(points[*at].y);
    svg.empty("circle", {{"class", "station-mark"}, {"cx", svg_number(x)}, {"cy", svg_number(y)}, {"r", "4"},
                         {"fill", "#ffffff"}, {"stroke", kStationColour}, {"stroke-width", "2"}});
    const auto label = place_label(space, points, *at, to_screen, station.name, kFontSize);
    if (!label) continue;
    svg.text("text", {{"class", "station-label"}, {"x", svg_number(label->x)}, {"y", svg_number(label->y)},
                      {"text-anchor", label->anchor}, {"dominant-baseline", "middle"}, {"fill", kStationColour}},
             label->text);
  }
  svg.close();
}

// The metres of the kilometre ticks: one every kKilometreTickMetres up to
// where the drawings end (the line's end, as on the profile). The computed
// track runs on past the line over the route's slack, and carries no tick
// there.
std::vector<std::size_t> kilometre_tick_metres(const std::vector<PlanPoint>& points, const RouteFeatures& features) {
  std::vector<std::size_t> metres;
  const double last = std::min(features.drawn_metres, static_cast<double>(points.size() - 1));
  for (double metre = kKilometreTickMetres; metre <= last; metre += kKilometreTickMetres) {
    metres.push_back(static_cast<std::size_t>(metre));
  }
  return metres;
}

// Kilometre ticks across the track; each tick's label goes where it meets
// no other label, or is left out.
void draw_kilometre_ticks(SvgWriter& svg, LabelSpace& space, const std::vector<PlanPoint>& points,
                          const std::vector<std::size_t>& ticks, const PlanTransform& to_screen) {
  constexpr double kFontSize = 9;
  svg.open("g", {{"id", "plan-kilometres"}, {"font-family", kFont}, {"font-size", svg_number(kFontSize)},
                 {"fill", kInkColour}});
  for (const std::size_t index : ticks) {
    const double metre = static_cast<double>(index);
    const Beside inner = beside(points, index, to_screen, -5);
    const Beside outer = beside(points, index, to_screen, 5);
    svg.empty("line", {{"class", "km-tick"}, {"x1", svg_number(inner.x)}, {"y1", svg_number(inner.y)},
                       {"x2", svg_number(outer.x)}, {"y2", svg_number(outer.y)}, {"stroke", kInkColour},
                       {"stroke-width", "1.2"}});
    const std::string text = svg_number(metre / 1000) + " km";
    for (double gap : {-8.0, 8.0, -20.0, 20.0}) {
      const Beside label = beside(points, index, to_screen, gap);
      const Box box = text_box(label.x, label.y, label.anchor, text, kFontSize);
      if (!space.free(box)) continue;
      space.taken.push_back(box);
      svg.text("text", {{"class", "km-label"}, {"x", svg_number(label.x)}, {"y", svg_number(label.y)},
                        {"text-anchor", label.anchor}, {"dominant-baseline", "middle"}},
               text);
      break;
    }
  }
  svg.close();
}

// What labels must keep clear of before any is placed: the ticks, the
// station marks, the title, the scale bar and the north arrow.
LabelSpace label_space(const Box& box, const std::vector<PlanPoint>& points, const RouteFeatures& features,
                       const std::vector<std::size_t>& ticks, const PlanTransform& to_screen) {
  LabelSpace space;
  space.room = {box.x + 4, box.y + 4, box.width - 8, box.height - 8};
  space.taken.push_back({box.x, box.y, 80, 32});                          // view title
  space.taken.push_back({box.right() - 45, box.y + 10, 35, 55});          // north arrow
  space.taken.push_back({box.x + 10, box.bottom() - 45, box.width / 5 + 30, 40});  // scale bar
  for (const std::size_t tick : ticks) {
    const PlanPoint& p = points[tick];
    space.taken.push_back(around(to_screen.screen_x(p.x), to_screen.screen_y(p.y), 5));
  }
  for (const Station& station : features.stations) {
    const auto at = metre_index(station.position, points);
    if (at) space.taken.push_back(around(to_screen.screen_x(points[*at].x), to_screen.screen_y(points[*at].y), 5));
  }
  return space;
}

std::string length_text(double metres) {
  return metres >= 1000 ? svg_number(metres / 1000) + " km" : svg_number(metres) + " m";
}

void draw_scale_bar(SvgWriter& svg, const Box& box, const PlanTransform& to_screen) {
  const double metres = round_length(box.width / 5 / to_screen.scale);
  const double length = metres * to_screen.scale;
  const double x = box.x + 20;
  const double y = box.bottom() - 20;
  svg.open("g", {{"id", "scale-bar"}, {"stroke", kInkColour}, {"stroke-width", "1.5"}});
  svg.empty("path", {{"d", "M" + svg_number(x) + " " + svg_number(y - 5) + " V" + svg_number(y) + " H" +
                               svg_number(x + length) + " V" + svg_number(y - 5)},
                     {"fill", "none"}});
  svg.text("text", {{"class", "scale-label"}, {"x", svg_number(x + length / 2)}, {"y", svg_number(y - 8)},
                    {"text-anchor", "middle"}, {"font-family", kFont}, {"font-size", "11"}, {"stroke", "none"},
                    {"fill", kInkColour}},
           length_text(metres));
  svg.close();
}

void draw_north_arrow(SvgWriter& svg, const Box& box) {
  const double x = box.right() - 30;
  const double y = box.y + 20;
  svg.open("g", {{"id", "north-arrow"}, {"fill", kInkColour}});
  svg.empty("path", {{"d", "M" + svg_number(x) + " " + svg_number(y) + " L" + svg_number(x + 7) + " " +
                               svg_number(y + 22) + " L" + svg_number(x) + " " + svg_number(y + 17) + " L" +
                               svg_number(x - 7) + " " + svg_number(y + 22) + " Z"}});
  svg.text("text", {{"x", svg_number(x)}, {"y", svg_number(y + 36)}, {"text-anchor", "middle"},
                    {"font-family", kFont}, {"font-size", "12"}},
           "N");
  svg.close();
}

}  // namespace

PlanTransform fit_plan(const PlanBounds& bounds, const Box& area) {
  // A straight plan has no width; a metre stands in so the scale stays finite.
  const double width = std::max(bounds.width(), 1.0);
  const double height = std::max(bounds.height(), 1.0);
  PlanTransform transform;
  transform.scale = std::min(area.width / width, area.height / height);
  const double mid_x = (bounds.min_x + bounds.max_x) / 2;
  const double mid_y = (bounds.min_y + bounds.max_y) / 2;
  transform.origin_x = area.x + area.width / 2 - transform.scale * mid_x;
  transform.origin_y = area.y + area.height / 2 + transform.scale * mid_y;
  return transform;
}

void draw_plan_view(SvgWriter& svg, const std::vector<PlanPoint>& points, const RouteFeatures& features,
                    const Box& box) {
  svg.open("g", {{"id", "plan"}});
  draw_view_frame(svg, box, "Plan");
  const Box area{box.x + kMargin, box.y + kMargin, box.width - 2 * kMargin, box.height - 2 * kMargin};
  const PlanTransform to_screen = fit_plan(bounds_of(points), area);
  draw_track(svg, points, features, to_screen);
  const std::vector<std::size_t> ticks = kilometre_tick_metres(points, features);
  LabelSpace space = label_space(box, points, features, ticks, to_screen);
  draw_stations(svg, space, points, features, to_screen);
  draw_kilometre_ticks(svg, space, points, ticks, to_screen);
  draw_scale_bar(svg, box, to_screen);
  draw_north_arrow(svg, box);
  svg.close();
}

}  // namespace tools
