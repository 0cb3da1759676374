#pragma once
// What the plan and profile views share: the box a view is drawn in, and
// the fonts and colours of the picture, and the frame around a view, so
// both views look alike.

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

// The white box of a view with its title in the top left corner.
void draw_view_frame(SvgWriter& svg, const Box& box, std::string_view title);

}  // namespace tools
