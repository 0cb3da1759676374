// The bytes a line table turns into, before any file is involved.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "scenario/document.h"

namespace scenario {
namespace {

TEST(DocumentBytes, WritesEachLineBeforeTheMarkerWithCrLf) {
  struct Case {
    const char* name;
    std::vector<std::string_view> lines;
    std::string expected;
  };
  const Case cases[] = {
      {"no entries at all", {}, ""},
      {"only the end marker", {kEndMarker}, ""},
      {"entries after the marker are never written", {"a", kEndMarker, "b", "c"}, "a\r\n"},
      {"an empty line is CR LF alone", {"", kEndMarker}, "\r\n"},
      {"a blank-only line keeps its blanks", {"   ", " ", kEndMarker}, "   \r\n \r\n"},
      {"leading and trailing blanks stay", {" x  ", kEndMarker}, " x  \r\n"},
      {"the marker with a trailing blank is an ordinary line",
       {"riferimento fine del file ", kEndMarker},
       "riferimento fine del file \r\n"},
      {"the marker is compared with its letter case", {"Riferimento fine del file", kEndMarker},
       "Riferimento fine del file\r\n"},
      {"a table without a marker ends at its last entry", {"a", "b"}, "a\r\nb\r\n"},
      {"a byte above 127 is written as it is", {"citt\xE0", kEndMarker}, "citt\xE0\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(document_bytes(c.lines), c.expected) << c.name;
  }
}

TEST(DocumentBytes, StopsAtTheRoomOfALineTable) {
  // A table has room for indexes 0 to 1000; entries beyond never reach the file.
  std::vector<std::string_view> lines(kLineTableCapacity + 5, "x");
  EXPECT_EQ(document_bytes(lines).size(), kLineTableCapacity * 3);
}

}  // namespace
}  // namespace scenario
