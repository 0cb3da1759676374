// How a recorded error kind is reported, and the stamping error prompt.

#include "compiler/errors.h"

#include <gtest/gtest.h>

namespace compiler {
namespace {

// A diagnostic at a record of file, its field at column.
Diagnostic at(std::string file, int line, std::string source_line, int column) {
  Diagnostic diagnostic;
  diagnostic.file = std::move(file);
  diagnostic.line = line;
  diagnostic.column = column;
  diagnostic.excerpt.text = std::move(source_line);
  diagnostic.excerpt.caret = static_cast<std::size_t>(column - 1);
  return diagnostic;
}

TEST(ErrorReportTest, KindPositionAndMeaning) {
  struct Case {
    std::int32_t kind;
    std::int32_t position;
    std::optional<Diagnostic> source;
    std::string expected;
  };
  const Diagnostic signal = at("train.txt", 12, "segnale,    1050,   2", 13);
  const Diagnostic board = at("line.txt", 40, "  indicatore, 300", 3);
  Diagnostic line_file;
  line_file.file = "line.txt";
  const Case cases[] = {
      {16, 1050, signal,
       "train.txt:12: error 16 at 1050 m: the cell of this signal is already taken (scenario_tool explain 16)\n"
       "segnale,    1050,   2\n"
       "            ^\n"},
      {6, 300, board,
       "line.txt:40: error 6 at 300 m: the cell of this indication board is already taken (scenario_tool explain 6)\n"
       "  indicatore, 300\n"
       "  ^\n"},
      // No position for kinds that carry none, whatever the member holds.
      {5, 999, line_file, "line.txt: error 5: the cab-signal repetition keyword holds neither 4 nor 9 (scenario_tool explain 5)\n"},
      {102, 0, line_file, "line.txt: error 102: the line description file ends before its [generale] section "
                       "(scenario_tool explain 102)\n"},
      {24, 77, std::nullopt, "error 24: the station's stop cell would lie in cell 1 or before (scenario_tool explain 24)\n"},
      // Post-pass kinds point at the route, never at a record.
      {12, 4500, signal, "route: error 12 at 4500 m: no free cell in a look-back group before a slowdown start "
                        "(scenario_tool explain 12)\n"},
      // No explanation to point to for a kind that does not exist.
      {23, 0, std::nullopt, "error 23: unknown error kind\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(format_recorded_error(c.kind, c.position, c.source), c.expected) << c.kind;
  }
}

TEST(ErrorReportTest, KindsWithAPosition) {
  for (std::int32_t kind : {6, 7, 8, 9, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22}) {
    EXPECT_TRUE(error_has_position(kind)) << kind;
  }
  for (std::int32_t kind : {1, 2, 3, 4, 5, 10, 24, 25, 101, 102, 103}) {
    EXPECT_FALSE(error_has_position(kind)) << kind;
    EXPECT_TRUE(is_known_error_kind(kind)) << kind;
  }
  for (std::int32_t kind : {0, 14, 23, 26, 100, 104, 1250}) EXPECT_FALSE(is_known_error_kind(kind)) << kind;
}

TEST(ErrorReportTest, StampingPrompt) {
  EXPECT_EQ(errore_prompt(1250), " Errore n. 1250");
  EXPECT_EQ(errore_prompt(1251), " Errore n. 1251");
}

}  // namespace
}  // namespace compiler
