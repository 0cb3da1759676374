// write_texts, the one sequence by which the program and scenario_tool
// sources write the five texts: the same bytes as each text's own writer,
// nothing else, in the program's order, stopping at the first that fails.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "naming/file_names.h"
#include "platform/files.h"
#include "scenario/embedded_scenario.h"
#include "support/temp_dir.h"
#include "tests/scenario/embedded_texts.h"

namespace scenario_tests {
namespace {

const std::string kScenario = scenario::kScenarioId;
const std::string kTrain = scenario::kTrainId;

// The five names in the order the program writes them.
std::vector<std::string> names_in_order() {
  return {naming::line_description_name(kScenario), naming::train_description_name(kScenario, kTrain),
          naming::notes_name(kScenario, kTrain), naming::slowdown_order_name(kScenario, kTrain),
          naming::timetable_sheet_name(kScenario, kTrain)};
}

TEST(WriteTexts, WritesTheFiveTextsAsTheirWritersDoAndNothingElse) {
  const testing_support::TempDir dir;
  scenario::write_texts(dir.path(), kScenario, kTrain);
  const std::vector<std::string> names = names_in_order();
  EXPECT_EQ(dir.names(), std::set<std::string>(names.begin(), names.end()));
  const WrittenTexts& t = written();
  const std::string expected[] = {t.line, t.train, t.notes, t.slowdown, t.timetable};
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(dir.read(names[i]), expected[i]) << names[i];
}

// A folder in the place of one text makes that text fail: the ones before
// it are written, the ones after it are not tried.
TEST(WriteTexts, StopsAtTheFirstTextThatCannotBeWritten) {
  const std::vector<std::string> names = names_in_order();
  for (std::size_t blocked = 0; blocked < names.size(); ++blocked) {
    SCOPED_TRACE(names[blocked]);
    const testing_support::TempDir dir;
    std::filesystem::create_directory(dir.file(names[blocked]));
    try {
      scenario::write_texts(dir.path(), kScenario, kTrain);
      ADD_FAILURE() << "no error";
    } catch (const platform::FileError& error) {
      EXPECT_EQ(error.path(), dir.file(names[blocked]));
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (i == blocked) continue;
      EXPECT_EQ(dir.exists(names[i]), i < blocked) << names[i];
    }
  }
}

}  // namespace
}  // namespace scenario_tests
