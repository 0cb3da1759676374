// The train file as a whole: where reading starts, how keyword fields are
// recognised, the header values, and the file's deletion on every way out.

#include "train/train_fixture.h"

namespace train_test {
namespace {

using ReadingTest = TrainFile;

TEST_F(ReadingTest, HeaderValuesGoToEntries84And86) {
  entry(86).word2 = 7;
  ASSERT_TRUE(compile(
      "numero vetture,    16\n"
      "percentuale massa frenata,    125\n"
      "sabbia,    300\n"
      "orologio,    6               42            40 "));
  EXPECT_EQ(entry(84).value1, 125);
  EXPECT_EQ(entry(84).value3, 16);
  EXPECT_EQ(entry(86).word1, 300);
  EXPECT_EQ(entry(86).word3, 6);
  EXPECT_EQ(entry(86).word4, 42);
  EXPECT_EQ(entry(86).word5, 40);
  EXPECT_EQ(entry(86).word2, 7);
  EXPECT_EQ(model.error_code, 0);
  EXPECT_FALSE(file_left());
}

TEST_F(ReadingTest, ReadingStartsAfterGeneralHeaderInAnyCase) {
  write_raw(
      "sabbia, 11\r\n"
      "[GENERALE]\r\n"
      "numero vetture, 3\r\n"
      "[fine]\r\n");
  ASSERT_TRUE(run());
  EXPECT_EQ(entry(86).word1, 0);
  EXPECT_EQ(entry(84).value3, 3);
}

TEST_F(ReadingTest, FileWithoutGeneralHeaderOnlyCompletesProfiles) {
  for (auto& c : model.route) c.speed_limit = 99;
  write_raw("sabbia, 11\r\nvelocita, 0, 100\r\n[fine]\r\n");
  ASSERT_TRUE(run());
  EXPECT_EQ(entry(86).word1, 0);
  EXPECT_EQ(cell(0).speed_limit, 0);
  EXPECT_EQ(cell(2077).speed_limit, 0);
  EXPECT_EQ(cell(2078).speed_limit, 99);
  EXPECT_EQ(model.error_code, 0);
  EXPECT_FALSE(file_left());
}

TEST_F(ReadingTest, KeywordsIgnoreLetterCaseAndSectionHeadersReadNothing) {
  // Were a plural header taken for its record, it would read the next
  // line's keyword as a number and fail.
  ASSERT_TRUE(compile(
      "[aderenze]\n"
      "ADERENZA, 0, 90\n"
      "[vel_limite]\n"
      "Velocita, 0, 100\n"
      "[stazioni]\n"
      "[rallentamenti]\n"
      "[segnali]\n"
      "[codici]\n"
      "NUMERO VETTURE, 5"));
  EXPECT_EQ(entry(84).value3, 5);
  EXPECT_EQ(cell(10).adhesion, 90);
  EXPECT_EQ(cell(10).speed_limit, 20);
}

TEST_F(ReadingTest, EveryMatchingKeywordTestReadsItsOwnNumbers) {
  ASSERT_TRUE(compile("velocita aderenza, 0, 100, 0, 50"));
  EXPECT_EQ(cell(3).speed_limit, 20);
  EXPECT_EQ(cell(3).adhesion, 50);
}

TEST_F(ReadingTest, UpToTwoFieldsWithHyphenArePassedOver) {
  const struct {
    const char* records;
    std::int16_t sand;
  } cases[] = {
      {"-sabbia-, 9", 0},                  // passed over; "9" is then the keyword
      {"--------\n-sabbia-, 9", 0},        // both passed over
      {"--------\n--------\n-sabbia-, 9", 9},  // the third field is the keyword
      {"--------\nsabbia, 9", 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.records);
    model.scenario_table = {};
    ASSERT_TRUE(compile(c.records));
    EXPECT_EQ(entry(86).word1, c.sand);
  }
}

TEST_F(ReadingTest, LastFieldOfFileIsNeverHandled) {
  const char* const files[] = {
      "[generale]\r\nsabbia",
      "[generale]\r\nnumero vetture,",
      "[generale]\r\n-----\r\nsabbia\r\n",
  };
  for (const char* text : files) {
    SCOPED_TRACE(text);
    write_raw(text);
    EXPECT_TRUE(run());
    EXPECT_EQ(model.error_code, 0);
    EXPECT_FALSE(file_left());
  }
  write_raw("[generale]\r\nsabbia, 4");
  ASSERT_TRUE(run());
  EXPECT_EQ(entry(86).word1, 4);
}

TEST_F(ReadingTest, UnreadableRecordFailsAndPointsAtIt) {
  const struct {
    const char* records;
    int line;
  } cases[] = {
      {"sabbia, 3\nsabbia, 40000", 3},                  // beyond 16 bits
      {"orologio, 6 4x 0", 2},                          // not a number
      {"sabbia, 1\nstazione, 500, 12, 400, 0, 300", 3},  // byte column above 255
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.records);
    source.reset();
    EXPECT_FALSE(compile(c.records));
    EXPECT_FALSE(file_left());
    ASSERT_TRUE(source.has_value());
    EXPECT_EQ(source->line, c.line);
  }
  // A record cut short by the end of the file.
  write_raw("[generale]\r\nsegnale, 1050, 2, 4");
  EXPECT_FALSE(run());
  EXPECT_FALSE(file_left());
}

TEST_F(ReadingTest, TrainFileIsDeletedOnEveryWayOut) {
  const struct {
    const char* name;
    const char* records;
    bool completes;
    std::int32_t error;
  } cases[] = {
      {"end of file", "sabbia, 1", true, 0},
      {"error 15", "velocita, 200000, 50", true, 15},
      {"error 8", "stazione, 510, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", true, 8},
      {"reading failure", "sabbia, x", false, 25},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.error_code = 0;
    EXPECT_EQ(compile(c.records), c.completes);
    EXPECT_EQ(model.error_code, c.error);
    EXPECT_FALSE(file_left());
  }
}

TEST_F(ReadingTest, MissingFileIsReportedAndUnsizedRouteStoresNothing) {
  const compiler::SourceText missing{path(), "", compiler::SourceState::kMissing, "No such file or directory"};
  compiler::RecordingSink sink(model);
  compiler::ReadingContext context(missing, missing, sink);
  EXPECT_THROW(compiler::TrainParser(model, context).run(), compiler::ReadingEnded);
  EXPECT_EQ(model.error_code, 25);

  model.route.clear();
  ASSERT_TRUE(compile("sabbia, 5"));
  EXPECT_EQ(entry(86).word1, 0);
  EXPECT_FALSE(file_left());
}

TEST_F(ReadingTest, ErrorFromLineHalfDoesNotStopTheTrain) {
  model.record_error(15, 98000);
  ASSERT_TRUE(compile(
      "segnale, 1050, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\n"
      "rallentamento, 5000, 60, 1000, 0, 0, 0\n"
      "velocita, 0, 100"));
  EXPECT_EQ(cell(22).kind, compiler::kSignal);
  EXPECT_EQ(cell(101).kind, compiler::kSlowdownStart);
  EXPECT_EQ(cell(500).speed_limit, 20);
  EXPECT_EQ(model.error_code, 15);
  EXPECT_EQ(model.error_position, 98000);
}

TEST_F(ReadingTest, ChainageOffTheGridIsError2AndReplacesError15) {
  const struct {
    const char* name;
    int entry;
    std::int32_t value1, value2;
    std::int32_t error_before, error_after;
  } cases[] = {
      {"all on the grid", 82, 5000, 12100, 0, 0},
      {"start off the grid", 81, 5025, 12100, 0, 2},
      {"end off the grid", 83, 5000, 12110, 0, 2},
      {"negative, on the grid", 83, -50, 0, 0, 0},
      {"replaces the line's 15", 82, 10, 0, 15, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.scenario_table = {};
    entry(c.entry).value1 = c.value1;
    entry(c.entry).value2 = c.value2;
    model.error_code = c.error_before;
    ASSERT_TRUE(compile("sabbia, 1"));
    EXPECT_EQ(model.error_code, c.error_after);
  }
  // After a train error 15 as well, and with no record to point at.
  model.scenario_table = {};
  entry(81).value2 = 30;
  ASSERT_TRUE(compile("velocita, 0, 50\nvelocita, 200000, 50"));
  EXPECT_EQ(model.error_code, 2);
  ASSERT_TRUE(source.has_value());
  EXPECT_EQ(source->line, 0) << "no record to point at";
}

TEST_F(ReadingTest, ChainageIsNotCheckedAfterAnErrorThatEndsTheReading) {
  entry(81).value1 = 10;
  ASSERT_TRUE(compile("abbattimento, 1000, 50\nabbattimento, 1010, 50"));
  EXPECT_EQ(model.error_code, 7);
}

}  // namespace
}  // namespace train_test
