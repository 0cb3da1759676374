// scenario_tool new: the pair it writes compiles cleanly, and it never
// replaces a file that is there.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using testing_support::ProgramRun;
using testing_support::TempDir;

ProgramRun tool(const std::vector<std::string>& arguments) {
  return testing_support::run_program(SCENARIO_TOOL_EXE, arguments);
}

TEST(ToolNew, WritesAPairThatCompilesCleanly) {
  TempDir dir;
  const std::string folder = dir.file("scenarios");  // made when missing
  const ProgramRun made = tool({"new", "Valle_Verde", "-o", folder});
  ASSERT_EQ(made.exit_status, 0) << made.standard_error;
  const std::string line = folder + "/Valle_Verde_linea.txt";
  const std::string train = folder + "/Valle_Verde_1-.txt";
  EXPECT_NE(made.standard_output.find("scenario_tool compile " + line + " " + train), std::string::npos)
      << made.standard_output;

  // The identifiers come from the names alone, by the naming rule.
  const ProgramRun compiled = tool({"compile", line, train, "-o", folder});
  EXPECT_EQ(compiled.exit_status, 0);
  EXPECT_EQ(compiled.standard_error, "");
  for (const char* name : {"Valle_Verde_linea.dat", "Valle_Verde_1.sim", "Valle_Verde_1.dat"}) {
    EXPECT_TRUE(dir.exists(std::string("scenarios/") + name)) << name;
  }

  // The check finds nothing either: no error, no warning.
  const ProgramRun checked = tool({"check", line, train});
  EXPECT_EQ(checked.exit_status, 0) << checked.standard_error;
  EXPECT_EQ(checked.standard_output, "0 errors, 0 warnings\n");
  EXPECT_EQ(checked.standard_error, "");
}

TEST(ToolNew, LinesEndInCarriageReturnAndLineFeed) {
  TempDir dir;
  ASSERT_EQ(tool({"new", "S", "-o", dir.path(), "--train-id", "2734-2"}).exit_status, 0);
  for (const char* name : {"S_linea.txt", "S_2734-2-.txt"}) {
    const std::string text = dir.read(name);
    ASSERT_GE(text.size(), 2u) << name;
    EXPECT_EQ(text.substr(text.size() - 8), "[fine]\r\n") << name;
    std::size_t line_feeds = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\n') continue;
      ++line_feeds;
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << name << " at byte " << i;
    }
    EXPECT_GT(line_feeds, 15u) << name;
  }
}

TEST(ToolNew, NeverReplacesAFile) {
  TempDir dir;
  dir.write("S_1-.txt", "mine");
  const ProgramRun run = tool({"new", "S", "-o", dir.path()});
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_NE(run.standard_error.find("S_1-.txt already exists"), std::string::npos) << run.standard_error;
  EXPECT_EQ(dir.read("S_1-.txt"), "mine");
  EXPECT_FALSE(dir.exists("S_linea.txt")) << "nothing is written when one name is taken";
}

TEST(ToolNew, RefusesANameThatCannotNameFiles) {
  TempDir dir;
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"new", "a/b", "-o", dir.path()},
        std::vector<std::string>{"new", "..", "-o", dir.path()},
        std::vector<std::string>{"new", "S", "-o", dir.path(), "--train-id", "x/y"}}) {
    const ProgramRun run = tool(arguments);
    EXPECT_EQ(run.exit_status, 64) << arguments[1];
    EXPECT_NE(run.standard_error.find("scenario_tool new"), std::string::npos) << run.standard_error;
  }
  EXPECT_TRUE(dir.names().empty());
}

}  // namespace
