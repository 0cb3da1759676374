#pragma once
// What the plan and profile views share: the box a view is drawn in, and
// the fonts and colours of the picture, and the frame around a view, so
// both views look alike.

#include <string>
#include <string_view>

namespace tools {

class SvgWriter;

// A rectangle on the picture, in SVG user units (pixels), y downward.
struct Box {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  double right() const { return x + width; }
  double bottom() const { return y + height; }
};

inline constexpr const char* kFont = "DejaVu Sans, Verdana, Arial, sans-serif";
inline constexpr const char* kInkColour = "#222222";
inline constexpr const char* kGridColour = "#d9d9d9";
inline constexpr const char* kTrackColour = "#1f3f8f";
inline constexpr const char* kTunnelColour = "#8c6d46";
inline constexpr const char* kTunnelBandColour = "#e3d6c0";
inline constexpr const char* kStationColour = "#1d7a3a";
inline constexpr const char* kSignalColour = "#c62828";
inline constexpr const char* kHeightColour = "#1f3f8f";
inline constexpr const char* kHeightFillColour = "#dbe4f5";
inline constexpr const char* kSpeedColour = "#d35400";
inline constexpr const char* kSlowdownColour = "#f2a900";
inline constexpr const char* kLoweringColour = "#7b3fa0";

// Whether two boxes share any area (touching edges do not count).
bool overlaps(const Box& a, const Box& b);
// Whether inner lies wholly inside outer.
bool contains(const Box& outer, const Box& inner);

// The width a text (UTF-8) takes in the picture's sans-serif font,
// estimated per character on the generous side, so that a box made from
// it holds the drawn text.
double text_width(std::string_view utf8, double font_size);

// The text itself when it fits into width, else as many of its first
// characters as fit followed by an ellipsis ("…"); empty when not even the
// ellipsis fits.
std::string fit_text(std::string_view utf8, double width, double font_size);

// The box of a one-line text drawn at (x, y) with dominant-baseline middle
// and the given text-anchor ("start", "middle" or "end").
Box text_box(double x, double y, std::string_view anchor, std::string_view utf8, double font_size);

// The white box of a view with its title in the top left corner.
void draw_view_frame(SvgWriter& svg, const Box& box, std::string_view title);

}  // namespace tools
