// Text that must stay inside its panel: estimated widths, names shortened
// with an ellipsis, and label boxes.

#include <gtest/gtest.h>

#include "tools/drawing.h"

namespace {

using tools::fit_text;
using tools::text_width;

TEST(FitText, KeepsWhatFitsAndShortensTheRestWithAnEllipsis) {
  const std::string ellipsis = "\xE2\x80\xA6";
  struct Case {
    const char* text;
    double width;
    const char* expected;
  };
  const Case cases[] = {
      {"VERZANO", 100, "VERZANO"},
      // Exactly the width of the text: it fits.
      {"VERZANO", text_width("VERZANO", 10), "VERZANO"},
      // Room for "AB" and the ellipsis, not for the blank: a blank never
      // stands before the ellipsis.
      {"AB CDEFGH", text_width("AB \xE2\x80\xA6", 10), "AB\xE2\x80\xA6"},
      // Two-byte characters are kept or dropped whole.
      {"\xC3\x80\xC3\x80\xC3\x80\xC3\x80", text_width("\xC3\x80\xC3\x80\xE2\x80\xA6", 10) + 1,
       "\xC3\x80\xC3\x80\xE2\x80\xA6"},
      {"VERZANO", 3, ""},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    const std::string fitted = fit_text(c.text, c.width, 10);
    EXPECT_EQ(fitted, c.expected) << c.text;
    EXPECT_LE(text_width(fitted, 10), c.width) << c.text;
  }
  // A long name keeps as much of itself as fits: one character more would not.
  const std::string name = "S. QUIRICO ASPRINA E DINTORNI";
  const std::string fitted = fit_text(name, 100, 10);
  ASSERT_GT(fitted.size(), ellipsis.size());
  const std::string kept = fitted.substr(0, fitted.size() - ellipsis.size());
  EXPECT_EQ(fitted.substr(kept.size()), ellipsis);
  EXPECT_EQ(name.substr(0, kept.size()), kept);
  EXPECT_LE(text_width(fitted, 10), 100);
  EXPECT_GT(text_width(name.substr(0, kept.size() + 1) + ellipsis, 10), 100);
}

TEST(TextWidth, IsNoLessThanTheFontGivesCapitals) {
  // "S. QUIRICO ASPRINA" is 10.22 font sizes wide in DejaVu Sans.
  EXPECT_GE(text_width("S. QUIRICO ASPRINA", 10), 102.2);
  EXPECT_LT(text_width("S. QUIRICO ASPRINA", 10), 102.2 * 1.25);
}

TEST(TextBox, FollowsTheAnchorAndOverlapsOnlyWithSharedArea) {
  const tools::Box start = tools::text_box(100, 50, "start", "ABCDE", 10);
  const tools::Box end = tools::text_box(100, 50, "end", "ABCDE", 10);
  const tools::Box middle = tools::text_box(100, 50, "middle", "ABCDE", 10);
  EXPECT_DOUBLE_EQ(start.x, 100);
  EXPECT_DOUBLE_EQ(end.right(), 100);
  EXPECT_DOUBLE_EQ(middle.x + middle.width / 2, 100);
  EXPECT_DOUBLE_EQ(start.y + start.height / 2, 50);
  EXPECT_FALSE(tools::overlaps(start, end)) << "touching at x = 100 only";
  EXPECT_TRUE(tools::overlaps(start, middle));
  EXPECT_TRUE(tools::contains({0, 0, 300, 300}, start));
  EXPECT_FALSE(tools::contains({0, 0, 110, 300}, start));
}

}  // namespace
