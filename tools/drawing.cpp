#include "tools/drawing.h"

#include "tools/svg_writer.h"

namespace tools {

void draw_view_frame(SvgWriter& svg, const Box& box, std::string_view title) {
  svg.empty("rect", {{"x", svg_number(box.x)}, {"y", svg_number(box.y)}, {"width", svg_number(box.width)},
                     {"height", svg_number(box.height)}, {"fill", "#ffffff"}, {"stroke", kGridColour}});
  svg.text("text", {{"class", "view-title"}, {"x", svg_number(box.x + 12)}, {"y", svg_number(box.y + 22)},
                    {"font-family", kFont}, {"font-size", "15"}, {"font-weight", "bold"}, {"fill", kInkColour}},
           title);
}

}  // namespace tools
