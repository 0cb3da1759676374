// The byte-level text helpers the parsers lean on: Windows-1252 case folding,
// the case-blind keyword test, and the line index that turns an offset into
// a line and column under every kind of line end.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reading/diagnostics.h"
#include "reading/text.h"

namespace compiler {
namespace {

TEST(Text, LowerCaseFoldsEveryWindows1252Capital) {
  int changed = 0;
  for (int code = 0; code < 256; ++code) {
    const char byte = static_cast<char>(code);
    if (lower_1252(byte) != byte) ++changed;
  }
  // A-Z, the 30 accented capitals 0xC0 .. 0xDE without 0xD7, and S, OE, Z
  // with caron and Y with diaeresis.
  EXPECT_EQ(changed, 26 + 30 + 4);
  const std::pair<unsigned char, unsigned char> pairs[] = {
      {'A', 'a'}, {'Z', 'z'}, {0xC0, 0xE0}, {0xC8, 0xE8}, {0xDE, 0xFE}, {0xD7, 0xD7},
      {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}, {'a', 'a'}, {0xE0, 0xE0}, {'[', '['}};
  for (const auto& [upper, lower] : pairs) {
    EXPECT_EQ(static_cast<unsigned char>(lower_1252(static_cast<char>(upper))), lower) << int{upper};
  }
  EXPECT_EQ(to_lower_1252("VELOCIT\xC0 Max"), "velocit\xE0 max");
}

TEST(Text, ContainsIgnoringCaseFindsTheWordAnywhere) {
  struct Case {
    std::string field;
    std::string word;
    bool found;
  };
  const Case cases[] = {
      {"Lunghezza PERCORSO", "percorso", true},
      {"percorso", "percorso", true},
      {"percors", "percorso", false},
      {"xx pPercorso", "percorso", true},  // a false start just before the word
      {"CITT\xC0", "citt\xE0", true},
      {"", "a", false},
      {"anything", "", true},
  };
  for (const Case& c : cases) EXPECT_EQ(contains_ignoring_case(c.field, c.word), c.found) << c.field;
}

TEST(Text, ScansStopAtTheFirstByteOfTheOtherKind) {
  const std::string text = " \t x,y\r\n\tz\xe9,";
  const struct {
    std::size_t from;
    unsigned kinds;
    std::size_t over;  // scan_over
    std::size_t to;    // scan_to
  } cases[] = {
      {0, kBlankBytes, 3, 0},
      {0, kCommaBytes | kLineEndBytes, 0, 4},
      {3, kBlankBytes | kLineEndBytes, 3, 6},
      {5, kCommaBytes | kLineEndBytes, 5, 6},
      {6, kBlankBytes | kLineEndBytes, 9, 6},
      {9, kCommaBytes, 9, 11},         // a byte beyond ASCII is of no kind
      {9, kBlankBytes, 9, 12},         // none up to the end: text.size()
      {12, kBlankBytes, 12, 12},       // from at the end
      {40, kCommaBytes, 12, 12},       // from past the end
      {0, 0, 0, 12},                   // no kind: nothing to scan over
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "from " << c.from << ", kinds " << c.kinds);
    EXPECT_EQ(scan_over(text, c.from, c.kinds), c.over);
    EXPECT_EQ(scan_to(text, c.from, c.kinds), c.to);
  }
}

TEST(LineIndex, EveryKindOfLineEndStartsALine) {
  // Lines: "a" (\r\n), "bc" (\n), "d" (lone \r), "" (\r\n), "e" (\r at the end), "".
  const std::string text = "a\r\nbc\nd\r\r\ne\r";
  const LineIndex index(text);
  struct Place {
    std::size_t offset;
    int line;
    int column;
  };
  const Place places[] = {{0, 1, 1}, {1, 1, 2}, {2, 1, 3}, {3, 2, 1}, {5, 2, 3}, {6, 3, 1},
                          {7, 3, 2}, {8, 4, 1}, {9, 4, 2}, {10, 5, 1}, {11, 5, 2}, {12, 6, 1}, {99, 6, 1}};
  for (const Place& place : places) {
    EXPECT_EQ(index.line_of(place.offset), place.line) << "offset " << place.offset;
    EXPECT_EQ(index.column_of(place.offset), place.column) << "offset " << place.offset;
  }
  EXPECT_EQ(index.line_end(3), 5u);
  EXPECT_EQ(LineIndex("").line_of(0), 1);
  EXPECT_EQ(LineIndex("no line end").line_of(5), 1);
}

}  // namespace
}  // namespace compiler
