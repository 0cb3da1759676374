// Opening the line description, its general section, the cab-signal
// repetition checks and the ordering of the chainage records.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "tests/line/line_fixture.h"

namespace line_test {
namespace {

using compiler::CompiledModel;

class OpeningTest : public LineFixture {};

TEST_F(OpeningTest, MissingFileIsErrorAndReadsNothing) {
  const CompiledModel model = compile_without_line_file();
  EXPECT_EQ(model.error_code, 101);
  EXPECT_FALSE(model.route_sized());
  EXPECT_TRUE(train_file_left()) << "the train half must not run";
  EXPECT_EQ(model.scenario_table[85].text, "Prova");
  EXPECT_EQ(model.scenario_table[86].text, "T1");
}

struct OpeningCase {
  const char* name;
  std::string text;
  std::int32_t error_code;
};

TEST_F(OpeningTest, GeneralSectionMustBeFoundBeforeTheLastField) {
  const std::vector<OpeningCase> cases = {
      {"empty file", "", 102},
      {"blanks and line ends only", "  \r\n\r\n \t\r\n", 102},
      {"no general section", lines({"[curve]", "pendenza,  0,   2", "[fine]"}), 102},
      {"general header as the last field", lines({"intestazione", "[generale]"}), 102},
      {"general header ignoring case", lines({"[GENERALE]", "lunghezza percorso,    1000", "[fine]"}), 0},
      {"text before the header ignored",
       lines({"lunghezza percorso,    99", "[Generale]", "lunghezza percorso,    1000", "[fine]"}), 0},
  };
  for (const OpeningCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CompiledModel model = compile(c.text);
    EXPECT_EQ(model.error_code, c.error_code);
    EXPECT_FALSE(line_file_left());
    if (c.error_code == 102) {
      EXPECT_FALSE(model.route_sized());
      EXPECT_TRUE(train_file_left());
    } else {
      EXPECT_EQ(model.scenario_table[84].value2, 1000);
      EXPECT_FALSE(train_file_left());
    }
  }
}

class LineLengthTest : public LineFixture {};

struct SizeCase {
  std::int32_t length;
  std::int32_t track_length;
  std::int32_t last_cell;
};

TEST_F(LineLengthTest, SizesRouteAndPlanFromTheLength) {
  const std::vector<SizeCase> cases = {
      {97000, 104000, 2080},
      {975, 7975, 160},   // 159.5 rounds to the even 160
      {1025, 8025, 160},  // 160.5 rounds to the even 160
      {0, 7000, 140},
      {1000000, 1007000, 20140},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.length);
    const CompiledModel model = compile(line_file(c.length, {}));
    EXPECT_EQ(model.error_code, 0);
    EXPECT_EQ(model.scenario_table[84].value2, c.length);
    EXPECT_EQ(model.track_length, c.track_length);
    EXPECT_EQ(model.last_cell, c.last_cell);
    EXPECT_EQ(model.route.size(), static_cast<std::size_t>(c.last_cell) + 1);
    EXPECT_EQ(model.track_plan.last_metre(), c.track_length);
  }
}

TEST_F(LineLengthTest, PartialCompileBuildsNoPlan) {
  const CompiledModel model = compile(line_file(97000, {"curvas2,  1000,  400"}), 0);
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(model.last_cell, 2080);
  EXPECT_FALSE(model.track_plan.sized());
}

TEST_F(LineLengthTest, LengthAboveTheLimitIsErrorOneBeforeAnyRoute) {
  const CompiledModel model = compile(line_file(1000001, {"pendenza,  0,   2"}));
  EXPECT_EQ(model.error_code, 1);
  EXPECT_EQ(model.error_position, kUntouchedPosition);
  EXPECT_FALSE(model.route_sized());
  EXPECT_EQ(model.scenario_table[84].value2, 1000001);
  EXPECT_FALSE(line_file_left());
  EXPECT_TRUE(train_file_left());
  ASSERT_TRUE(error_source().has_value());
  EXPECT_EQ(error_source()->line, 2);
}

TEST_F(LineLengthTest, SecondLengthRecordResizesOrStopsWithTheFirstRouteKept) {
  const CompiledModel resized =
      compile(lines({"[generale]", "lunghezza percorso,    97000", "lunghezza percorso,    1000", "[fine]"}));
  EXPECT_EQ(resized.error_code, 0);
  EXPECT_EQ(resized.last_cell, 160);

  const CompiledModel stopped =
      compile(lines({"[generale]", "lunghezza percorso,    1000", "lunghezza percorso,    2000000", "[fine]"}));
  EXPECT_EQ(stopped.error_code, 1);
  EXPECT_EQ(stopped.last_cell, 160);
  EXPECT_TRUE(stopped.route_sized());
}

TEST_F(LineLengthTest, NegativeLengthIsAReadingFailure) {
  const CompiledModel model = compile(line_file(-50, {}));
  EXPECT_EQ(model.error_code, 25);
  EXPECT_EQ(model.error_position, kUntouchedPosition);
  EXPECT_FALSE(model.route_sized());
  EXPECT_FALSE(line_file_left());
  EXPECT_FALSE(train_file_left());
}

class GeneralRecordsTest : public LineFixture {};

TEST_F(GeneralRecordsTest, StoresHeaderValuesWithTheirCasedKeywords) {
  const CompiledModel model = compile(lines({
      "[generale]",
      "LUNGHEZZA Percorso,    97000",
      "sfondo uno,    7",
      "sfondo due,    8",
      "sfondo tre,    9",
      "Sfondo uno,    5",  // cased test: not a background; "5" is read as a keyword field
      "progressiva chilometrica uno,    1000,    2000,    0",
      "[fine]",
  }));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(model.last_cell, 2080);
  EXPECT_EQ(model.scenario_table[85].value1, 7);
  EXPECT_EQ(model.scenario_table[85].value2, 9);
  EXPECT_EQ(model.scenario_table[85].value3, 8);
  EXPECT_EQ(model.scenario_table[81].value1, 1000);
  EXPECT_EQ(model.scenario_table[81].value2, 2000);
}

TEST_F(GeneralRecordsTest, SectionEndsAtABracketedFieldNotBeginningWithAHyphen) {
  struct Case {
    const char* header;
    std::int32_t background;  // stored only while the section lasts
  };
  const std::vector<Case> cases = {
      {"[curve]", 0},
      {"  [altro]", 0},
      {"fine [x] sezione", 0},
      {"[incompleta", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    const CompiledModel model =
        compile(lines({"[generale]", "lunghezza percorso,    1000", c.header, "sfondo uno,    3", "[fine]"}));
    EXPECT_EQ(model.error_code, 0);
    EXPECT_EQ(model.scenario_table[85].value1, c.background);
  }
}

// A keyword field holding a hyphen is discarded and the next field read in
// its place, at most ten times in a row.
TEST_F(GeneralRecordsTest, HyphenFieldsAreSkippedUpToTenInARow) {
  struct Case {
    int hyphen_lines;
    std::int32_t background;
  };
  const std::vector<Case> cases = {
      {0, 0},   // the keyword itself holds a hyphen: discarded, "5" read in its place
      {9, 0},   // the tenth discard takes the keyword too
      {10, 5},  // ten discards used up: the keyword is kept and handled
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hyphen_lines);
    std::vector<std::string> text = {"[generale]", "lunghezza percorso,    1000"};
    text.insert(text.end(), static_cast<std::size_t>(c.hyphen_lines), "- nota -");
    text.push_back("sfondo uno-a,    5");
    text.push_back("[fine]");
    const CompiledModel model = compile(lines(text));
    EXPECT_EQ(model.error_code, 0);
    EXPECT_EQ(model.scenario_table[85].value1, c.background);
  }
}

TEST_F(GeneralRecordsTest, HyphenFieldKeptAfterTenDiscardsDoesNotEndTheSection) {
  std::vector<std::string> text = {"[generale]", "lunghezza percorso,    1000"};
  text.insert(text.end(), 11, "-[x]");
  text.push_back("sfondo tre,    6");
  text.push_back("[fine]");
  const CompiledModel model = compile(lines(text));
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(model.scenario_table[85].value2, 6);
}

struct RepetitionCase {
  const char* record;
  std::int32_t error_code;
  std::int32_t start;
  std::int32_t end;
  std::int32_t code;
};

TEST_F(GeneralRecordsTest, CabSignalRepetitionChecks) {
  const std::vector<RepetitionCase> cases = {
      {"ripetizione segnali 4 codici,    1050,    95500", 0, 1050, 95500, 4},
      {"ripetizione segnali 9 codici,    1050,    95500", 0, 1050, 95500, 9},
      {"ripetizione segnali 4 o 9 codici,    0,    100", 0, 0, 100, 4},
      {"ripetizione segnali 9 codici,    1050,    0", 0, 1050, 0, 0},
      {"ripetizione segnali 4 codici,    -50,    100", 0, -50, 100, 4},
      {"ripetizione segnali 4 codici,    1025,    95500", 3, 1025, 95500, 0},
      {"ripetizione segnali 4 codici,    1050,    95510", 4, 1050, 95510, 0},
      {"ripetizione segnali 4 codici,    1025,    95510", 3, 1025, 95510, 0},
      {"ripetizione segnali codici,    1050,    95500", 5, 1050, 95500, 0},
      {"ripetizione segnali codici,    1050,    0", 5, 1050, 0, 0},
      {"Ripetizione segnali 4 codici,    1050,    95500", 0, 0, 0, 0},  // cased: not this record
  };
  for (const RepetitionCase& c : cases) {
    SCOPED_TRACE(c.record);
    const CompiledModel model = compile(lines({"[generale]", "lunghezza percorso,    97000", c.record, "[fine]"}));
    EXPECT_EQ(model.error_code, c.error_code);
    EXPECT_EQ(model.error_position, kUntouchedPosition);
    EXPECT_EQ(model.scenario_table[86].value1, c.start);
    EXPECT_EQ(model.scenario_table[86].value2, c.end);
    EXPECT_EQ(model.scenario_table[86].value3, c.code);
    EXPECT_FALSE(line_file_left());
    EXPECT_EQ(train_file_left(), c.error_code != 0) << "the train half runs only without a line error";
    if (c.error_code != 0) {
      ASSERT_TRUE(error_source().has_value());
      EXPECT_EQ(error_source()->line, 3);
    }
  }
}

struct Chainage {
  std::int32_t value1;
  std::int32_t value2;
  std::int32_t value3;
  bool operator==(const Chainage&) const = default;
};

struct OrderingCase {
  const char* name;
  Chainage tre, due, uno;           // as read
  Chainage entry81, entry82, entry83;  // after ordering
};

std::string chainage_line(const char* which, const Chainage& c) {
  return std::string("progressiva chilometrica ") + which + ",    " + std::to_string(c.value1) + ",    " +
         std::to_string(c.value2) + ",    " + std::to_string(c.value3);
}

Chainage chainage_at(const CompiledModel& model, int entry) {
  const compiler::ScenarioEntry& e = model.scenario_table[static_cast<std::size_t>(entry)];
  return {e.value1, e.value2, e.value3};
}

TEST_F(GeneralRecordsTest, ChainageRecordsAreOrdered) {
  const std::vector<OrderingCase> cases = {
      {"by position, flag adds 100",
       {5000, 12000, 1}, {2000, 3000, 0}, {8000, 0, 0},
       {8000, 0, 0}, {5000, 12100, 1}, {2000, 3000, 0}},
      {"shared largest position clears all",
       {4000, 100, 1}, {4000, 200, 0}, {1000, 300, 0},
       {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {"tie below the leader: the higher entry goes first",
       {1000, 10, 0}, {1000, 20, 0}, {4000, 30, 0},
       {4000, 30, 0}, {1000, 20, 0}, {1000, 10, 0}},
      {"leader from entry 82",
       {300, 1, 0}, {900, 2, 0}, {600, 3, 0},
       {900, 2, 0}, {600, 3, 0}, {300, 1, 0}},
      {"all zero stays zero",
       {0, 0, 0}, {0, 0, 0}, {0, 0, 0},
       {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {"positions adding to zero: the due value leads",
       {0, 0, 0}, {0, 500, 1}, {0, 0, 0},
       {0, 600, 1}, {0, 0, 0}, {0, 0, 0}},
      {"positions adding to zero: the last positive value decides",
       {0, 300, 0}, {0, 0, 0}, {0, 700, 0},
       {0, 700, 0}, {0, 0, 0}, {0, 300, 0}},
      {"positions adding to zero without being zero",
       {-100, 200, 0}, {100, 0, 0}, {0, 0, 0},
       {-100, 200, 0}, {100, 0, 0}, {0, 0, 0}},
      {"no positive value clears all",
       {0, -50, 1}, {0, 0, 1}, {0, 0, 0},
       {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
  };
  for (const OrderingCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CompiledModel model = compile(lines({
        "[generale]", "lunghezza percorso,    97000", chainage_line("tre", c.tre), chainage_line("due", c.due),
        chainage_line("uno", c.uno), "[fine]"}));
    // The train half then requires every start and end on the 50 m grid.
    const bool on_grid = std::ranges::all_of(std::array{c.entry81, c.entry82, c.entry83}, [](const Chainage& e) {
      return e.value1 % 50 == 0 && e.value2 % 50 == 0;
    });
    EXPECT_EQ(model.error_code, on_grid ? 0 : 2);
    EXPECT_EQ(chainage_at(model, 81), c.entry81);
    EXPECT_EQ(chainage_at(model, 82), c.entry82);
    EXPECT_EQ(chainage_at(model, 83), c.entry83);
  }
}

}  // namespace
}  // namespace line_test
