#include "tools/svg_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/svg_document.h"

namespace {

using tools::escape_xml;
using tools::svg_number;

TEST(EscapeXml, MarkupAndForbiddenControlsAreReplacedAndTheRestKept) {
  struct Case {
    const char* text;
    const char* escaped;
  };
  const Case cases[] = {
      {"NORD & SUD", "NORD &amp; SUD"},
      {"<FINE>", "&lt;FINE&gt;"},
      {"\"quoted\" 'single'", "&quot;quoted&quot; &apos;single&apos;"},
      {"tab\tline\ncarriage\r", "tab\tline\ncarriage\r"},
      {"\x01" "bell\x1f", "?bell?"},
      {"CITT\xC3\x80 \xE2\x82\xAC", "CITT\xC3\x80 \xE2\x82\xAC"},  // UTF-8 passes through
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(escape_xml(c.text), c.escaped) << c.text;
}

TEST(SvgNumber, FixedDecimalsWithoutTrailingZerosOrNegativeZero) {
  struct Case {
    double value;
    int decimals;
    const char* text;
  };
  const double infinity = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {0, 2, "0"},
      {-0.0, 2, "0"},
      {-0.001, 2, "0"},
      {1.5, 2, "1.5"},
      {2.0, 2, "2"},
      {123.456, 2, "123.46"},
      {-7.25, 1, "-7.2"},  // exact half: to even
      {0.1 + 0.2, 2, "0.3"},
      {1e6, 2, "1000000"},
      {-104000.125, 3, "-104000.125"},
      {0.000123456789, 9, "0.000123457"},
      {std::nan(""), 2, "0"},
      {infinity, 2, "0"},
      {-infinity, 2, "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(svg_number(c.value, c.decimals), c.text) << c.value;
}

TEST(SvgWriter, NestsElementsAndEscapesAttributesAndText) {
  tools::SvgWriter svg(120, 80.5);
  svg.open("g", {{"id", "a\"b"}});
  svg.empty("circle", {{"r", "2"}});
  svg.text("text", {{"x", "1"}}, "R&D <1>");
  svg.close();
  EXPECT_EQ(svg.finish(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120\" height=\"80.5\" viewBox=\"0 0 120 80.5\">\n"
            "  <g id=\"a&quot;b\">\n"
            "    <circle r=\"2\"/>\n"
            "    <text x=\"1\">R&amp;D &lt;1&gt;</text>\n"
            "  </g>\n"
            "</svg>\n");
}

TEST(SvgWriter, FinishClosesWhatIsStillOpenAndCloseOnNothingIsHarmless) {
  tools::SvgWriter svg(10, 10);
  svg.open("g");
  svg.open("g");
  svg.text("title", {}, "\x02 odd & <text>");
  const std::string text = svg.finish();
  const plot_test::SvgDocument document(text);
  ASSERT_TRUE(document.well_formed()) << document.parse_error() << "\n" << text;
  EXPECT_EQ(document.values("/s:svg/s:g/s:g/s:title"), std::vector<std::string>{"? odd & <text>"});

  tools::SvgWriter closed_too_often(10, 10);
  closed_too_often.close();
  closed_too_often.close();
  EXPECT_TRUE(plot_test::SvgDocument(closed_too_often.finish()).well_formed());
}

}  // namespace
