#include "tools/drawing.h"

#include "tools/svg_writer.h"

namespace tools {
namespace {

constexpr double kLineHeight = 1.25;

bool continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The width of one character in font sizes, a little above what the
// picture's sans-serif fonts give it, so that a box made from it holds
// the drawn text. lead is the character's first byte.
double character_width(char lead) {
  const auto c = static_cast<unsigned char>(lead);
  if (c >= 0x80) return 0.75;  // accented capitals and other letters
  if (std::string_view(" .,:;'!|iljtfI()[]").find(lead) != std::string_view::npos) return 0.4;
  if (c == 'M' || c == 'W' || c == 'm' || c == 'w') return 0.95;
  if (c >= 'A' && c <= 'Z') return 0.75;
  if (c >= '0' && c <= '9') return 0.66;
  return 0.64;
}

}  // namespace

bool overlaps(const Box& a, const Box& b) {
  return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

bool contains(const Box& outer, const Box& inner) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
         inner.bottom() <= outer.bottom();
}

double text_width(std::string_view utf8, double font_size) {
  double width = 0;
  for (char c : utf8) width += continuation_byte(c) ? 0 : character_width(c);
  return width * font_size;
}

std::string fit_text(std::string_view utf8, double width, double font_size) {
  if (text_width(utf8, font_size) <= width) return std::string(utf8);
  static constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
  double used = text_width(kEllipsis, font_size);
  if (used > width) return {};
  // Whole characters, as many as fit before the ellipsis.
  std::size_t end = 0;
  while (end < utf8.size()) {
    std::size_t next = end + 1;
    while (next < utf8.size() && continuation_byte(utf8[next])) ++next;
    const double character = character_width(utf8[end]) * font_size;
    if (used + character > width) break;
    used += character;
    end = next;
  }
  // No blank just before the ellipsis.
  while (end > 0 && utf8[end - 1] == ' ') --end;
  return std::string(utf8.substr(0, end)) + std::string(kEllipsis);
}

Box text_box(double x, double y, std::string_view anchor, std::string_view utf8, double font_size) {
  const double width = text_width(utf8, font_size);
  const double height = kLineHeight * font_size;
  const double left = anchor == "end" ? x - width : anchor == "middle" ? x - width / 2 : x;
  return {left, y - height / 2, width, height};
}

void draw_view_frame(SvgWriter& svg, const Box& box, std::string_view title) {
  svg.empty("rect", {{"x", svg_number(box.x)}, {"y", svg_number(box.y)}, {"width", svg_number(box.width)},
                     {"height", svg_number(box.height)}, {"fill", "#ffffff"}, {"stroke", kGridColour}});
  svg.text("text", {{"class", "view-title"}, {"x", svg_number(box.x + 12)}, {"y", svg_number(box.y + 22)},
                    {"font-family", kFont}, {"font-size", "15"}, {"font-weight", "bold"}, {"fill", kInkColour}},
           title);
}

}  // namespace tools
