// Stamping the marks and codes, and writing the three files into a folder.

#include "compiler/output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "compiler/compile.h"
#include "formats/line_data_file.h"
#include "formats/route_file.h"
#include "formats/scenario_file.h"
#include "platform/files.h"
#include "support/temp_dir.h"
#include "tests/output/fixtures.h"

namespace compiler {
namespace {

using testing_support::TempDir;

const char kLineData[] = "Alvera_Monteluce_linea.dat";
const char kScenarioFile[] = "Alvera_Monteluce_2734-2.sim";
const char kRouteFile[] = "Alvera_Monteluce_2734-2.dat";

// The embedded shape with a complete straight plan, as a full compile leaves it.
CompiledModel full_compile_model() {
  CompiledModel model = output_test::embedded_like_model();
  model.full_compile = 1;
  output_test::fill_straight_plan(model.track_plan, model.track_length);
  return model;
}

// Old files of an earlier run, each with its own recognisable content.
void put_old_files(const TempDir& folder) {
  for (const char* name : {kLineData, kScenarioFile, kRouteFile}) {
    platform::replace_file(folder.file(name), std::string("old content of ") + name);
  }
}

void expect_old_files(const TempDir& folder) {
  EXPECT_EQ(folder.names(), (std::set<std::string>{kLineData, kScenarioFile, kRouteFile}));
  for (const char* name : {kLineData, kScenarioFile, kRouteFile}) {
    EXPECT_EQ(folder.read(name), std::string("old content of ") + name);
  }
}

TEST(StampTest, MarksAndCodesOfTheEmbeddedIdentifiers) {
  CompiledModel model = output_test::embedded_like_model();
  CompiledModel expected = model;
  expected.scenario_table[kScenarioHeaderEntry].word1 = 610;
  expected.scenario_table[kScenarioHeaderEntry].seconds = 33502;
  expected.route[1].param1 = 5121;
  expected.route[1].param2 = 2328;

  ASSERT_EQ(stamp(model), std::nullopt);
  EXPECT_EQ(model.scenario_table, expected.scenario_table);
  EXPECT_EQ(model.route, expected.route);
}

TEST(StampTest, ATakenSlotStopsTheStamping) {
  struct Case {
    const char* name;
    std::function<void(CompiledModel&)> take;
    ErrorKind result;
    bool marks_stamped;  // the first check passed, so the marks went in
  };
  const Case cases[] = {
      {"entry 85 word1", [](CompiledModel& m) { m.scenario_table[85].word1 = 1; }, ErrorKind::kMarkPlaceTaken, false},
      {"cell 1 param1", [](CompiledModel& m) { m.route[1].param1 = -7; }, ErrorKind::kMarkPlaceTaken, false},
      {"entry 85 seconds", [](CompiledModel& m) { m.scenario_table[85].seconds = 3600; }, ErrorKind::kCodePlaceTaken, true},
      {"cell 1 param2", [](CompiledModel& m) { m.route[1].param2 = 1; }, ErrorKind::kCodePlaceTaken, true},
      {"word1 and seconds: the first check wins",
       [](CompiledModel& m) {
         m.scenario_table[85].word1 = 610;
         m.scenario_table[85].seconds = 1;
       },
       ErrorKind::kMarkPlaceTaken, false},
  };
  for (const Case& c : cases) {
    CompiledModel model = output_test::embedded_like_model();
    c.take(model);
    const CompiledModel before = model;
    EXPECT_EQ(stamp(model), c.result) << c.name;
    // The codes are never stamped after a stop.
    EXPECT_EQ(model.scenario_table[85].seconds, before.scenario_table[85].seconds) << c.name;
    EXPECT_EQ(model.route[1].param2, before.route[1].param2) << c.name;
    if (c.marks_stamped) {
      EXPECT_EQ(model.scenario_table[85].word1, kTableMark) << c.name;
      EXPECT_EQ(model.route[1].param1, kRouteMark) << c.name;
    } else {
      EXPECT_EQ(model.scenario_table[85].word1, before.scenario_table[85].word1) << c.name;
      EXPECT_EQ(model.route[1].param1, before.route[1].param1) << c.name;
    }
  }
}

// Without cell 1 there is no place for the route's mark.
TEST(StampTest, RouteWithoutCellOneCannotBeStamped) {
  for (std::size_t cells : {std::size_t{0}, std::size_t{1}}) {
    CompiledModel model;
    model.route.resize(cells);
    EXPECT_FALSE(has_mark_cell(model));
    EXPECT_EQ(stamp(model), ErrorKind::kMarkPlaceTaken) << cells << " cells";
    EXPECT_EQ(model.scenario_table[85].word1, 0);
  }
}

TEST(OutputFilesTest, FullCompileWritesThreeWholeFiles) {
  TempDir folder;
  CompiledModel model = full_compile_model();
  model.record_error(16, 1050);  // a recorded error kind does not hold the files back
  ASSERT_EQ(stamp_and_write_output(model, folder.path()), std::nullopt);

  EXPECT_EQ(folder.names(), (std::set<std::string>{kLineData, kScenarioFile, kRouteFile}));
  const std::string line_data = folder.read(kLineData);
  const std::string scenario = folder.read(kScenarioFile);
  const std::string route = folder.read(kRouteFile);
  EXPECT_EQ(line_data.size(), 2'079'964u);
  EXPECT_EQ(scenario.size(), 2958u + 16 + 6);
  EXPECT_EQ(route.size(), 31'215u);

  EXPECT_EQ(line_data, encode_line_data_file(model.track_plan));
  const auto table = decode_scenario_file(scenario);
  ASSERT_TRUE(table.ok()) << table.error;
  EXPECT_EQ(table.value, model.scenario_table);
  EXPECT_EQ(table.value[85].word1, 610);
  EXPECT_EQ(table.value[85].seconds, 33502);
  const auto cells = decode_route_file(route);
  ASSERT_TRUE(cells.ok()) << cells.error;
  EXPECT_EQ(cells.value, model.route);
  EXPECT_EQ(cells.value[1].param1, 5121);
  EXPECT_EQ(cells.value[1].param2, 2328);
}

TEST(OutputFilesTest, WithoutFullCompileTheOldLineDataFileStays) {
  TempDir folder;
  put_old_files(folder);
  CompiledModel model = output_test::embedded_like_model();
  model.full_compile = 0;
  ASSERT_EQ(stamp_and_write_output(model, folder.path()), std::nullopt);
  EXPECT_EQ(folder.names(), (std::set<std::string>{kLineData, kScenarioFile, kRouteFile}));
  EXPECT_EQ(folder.read(kLineData), std::string("old content of ") + kLineData);
  EXPECT_EQ(folder.read(kScenarioFile).size(), 2958u + 16 + 6);
  EXPECT_EQ(folder.read(kRouteFile).size(), 31'215u);
}

TEST(OutputFilesTest, ShorterNewFilesLeaveNothingOfTheOld) {
  TempDir folder;
  const std::string long_old(3'000'000, '\x5A');
  for (const char* name : {kLineData, kScenarioFile, kRouteFile}) platform::replace_file(folder.file(name), long_old);
  CompiledModel model = output_test::embedded_like_model();
  model.full_compile = 1;
  output_test::fill_straight_plan(model.track_plan, 2000);  // a short plan: 39,964 bytes
  ASSERT_EQ(stamp_and_write_output(model, folder.path()), std::nullopt);
  EXPECT_EQ(folder.read(kLineData), encode_line_data_file(model.track_plan));
  EXPECT_EQ(folder.read(kLineData).size(), 39'964u);
  EXPECT_EQ(folder.read(kScenarioFile), encode_scenario_file(model.scenario_table));
  EXPECT_EQ(folder.read(kRouteFile), encode_route_file(model.route));
}

TEST(OutputFilesTest, StampingErrorTouchesNoFile) {
  struct Case {
    const char* name;
    std::function<void(CompiledModel&)> take;
    ErrorKind result;
  };
  const Case cases[] = {
      {"1250", [](CompiledModel& m) { m.route[1].param1 = 3; }, ErrorKind::kMarkPlaceTaken},
      {"1251", [](CompiledModel& m) { m.route[1].param2 = 3; }, ErrorKind::kCodePlaceTaken},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir with_old;
    put_old_files(with_old);
    CompiledModel model = full_compile_model();
    c.take(model);
    EXPECT_EQ(stamp_and_write_output(model, with_old.path()), c.result);
    expect_old_files(with_old);

    TempDir empty;
    CompiledModel again = full_compile_model();
    c.take(again);
    EXPECT_EQ(stamp_and_write_output(again, empty.path()), c.result);
    EXPECT_TRUE(empty.names().empty());
  }
}

TEST(OutputFilesTest, FileThatCannotBeReplacedKeepsTheWholeOldSet) {
  TempDir folder;
  put_old_files(folder);
  // A folder where the route file should be: the set stops before any rename.
  std::filesystem::remove(folder.file(kRouteFile));
  std::filesystem::create_directory(folder.file(kRouteFile));
  CompiledModel model = full_compile_model();
  ASSERT_EQ(stamp(model), std::nullopt);
  try {
    write_output_files(model, folder.path());
    ADD_FAILURE() << "the write did not fail";
  } catch (const platform::FileError& error) {
    EXPECT_EQ(error.path(), folder.file(kRouteFile));
    EXPECT_FALSE(error.reason().empty());
  }
  EXPECT_EQ(folder.names(), (std::set<std::string>{kLineData, kScenarioFile, kRouteFile}));
  EXPECT_TRUE(folder.read(kLineData) == std::string("old content of ") + kLineData);
  EXPECT_TRUE(folder.read(kScenarioFile) == std::string("old content of ") + kScenarioFile);
}

TEST(OutputFilesTest, MissingFolderFailsOnTheFirstFile) {
  TempDir folder;
  const std::string missing = folder.file("no_such_folder");
  CompiledModel model = full_compile_model();
  ASSERT_EQ(stamp(model), std::nullopt);
  try {
    write_output_files(model, missing);
    ADD_FAILURE() << "the write did not fail";
  } catch (const platform::FileError& error) {
    EXPECT_EQ(error.path(), platform::join_path(missing, kLineData));
  }
  EXPECT_TRUE(folder.names().empty());
}

TEST(OutputFilesTest, TextTooLongForItsRecordWritesNoFile) {
  TempDir folder;
  put_old_files(folder);
  CompiledModel model = full_compile_model();
  model.scenario_table[80].text = std::string(kMaxEntryText + 1, 'b');
  ASSERT_EQ(stamp(model), std::nullopt);
  try {
    write_output_files(model, folder.path());
    ADD_FAILURE() << "the write did not fail";
  } catch (const platform::FileError& error) {
    EXPECT_EQ(error.path(), folder.file(kScenarioFile));
    EXPECT_NE(error.reason().find("entry 80"), std::string::npos) << error.reason();
  }
  expect_old_files(folder);
}

// A set whose renaming stopped part-way is reported with its own status,
// naming the new and the old files, and never as a run without output.
TEST(OutputFilesTest, PartlyRenamedSetHasItsOwnMessageAndStatus) {
  const platform::PartialReplacement error("out/S_T.dat", "Input/output error", {"out/S_linea.dat", "out/S_T.sim"},
                                           {"out/S_T.dat"});
  CompileResult result;
  result.status = CompileStatus::kPartialOutput;
  result.stop = partial_output_diagnostic(error);
  EXPECT_EQ(result.exit_status(), 3);
  const std::string outcome = describe_outcome(result);
  EXPECT_EQ(outcome,
            "error: cannot rename the new out/S_T.dat into place: Input/output error\n"
            "the output set is mixed: new out/S_linea.dat, out/S_T.sim; not replaced out/S_T.dat\n"
            "compile again to write the whole set\n");
  EXPECT_EQ(outcome.find("no file is written"), std::string::npos) << outcome;
}

}  // namespace
}  // namespace compiler
