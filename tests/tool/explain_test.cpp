// scenario_tool explain, through the built executable.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using testing_support::ProgramRun;

ProgramRun tool(const std::vector<std::string>& arguments) {
  return testing_support::run_program(SCENARIO_TOOL_EXE, arguments);
}

TEST(ToolExplain, PrintsTheKindWithItsExamples) {
  const ProgramRun run = tool({"explain", "16"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(run.standard_output.rfind("error 16: the cell of this signal is already taken\n", 0), 0u)
      << run.standard_output;
  EXPECT_NE(run.standard_output.find("\nWrong (train description"), std::string::npos);
  EXPECT_NE(run.standard_output.find("\nCorrected:\n"), std::string::npos);
  EXPECT_EQ(run.standard_error, "");
}

TEST(ToolExplain, StampingErrorsAreExplainedToo) {
  const ProgramRun run = tool({"explain", "1251"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(run.standard_output.rfind("error 1251: ", 0), 0u) << run.standard_output;
}

TEST(ToolExplain, WithoutAKindListsEveryKind) {
  const ProgramRun run = tool({"explain"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  for (const char* line : {"1\tline length above", "25\t", "103\t", "1250\t", "1251\t"}) {
    EXPECT_NE(run.standard_output.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(run.standard_output.find("\n14\t"), std::string::npos);
  for (const char* line : {"\nvalue-wraps\t", "\nunknown-keyword\t", "\nno-station\t"}) {
    EXPECT_NE(run.standard_output.find(line), std::string::npos) << line;
  }
}

TEST(ToolExplain, ExplainsAWarningRuleByItsName) {
  const ProgramRun run = tool({"explain", "value-wraps"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(run.standard_output.rfind("warning value-wraps: ", 0), 0u) << run.standard_output;
  EXPECT_NE(run.standard_output.find("pendenza,  0,   200"), std::string::npos) << run.standard_output;
}

TEST(ToolExplain, AnUnknownKindIsAUsageError) {
  for (const char* kind : {"14", "23", "0", "-1", "16x", "abc", "99999999999", "value-wrap", "Value-Wraps"}) {
    const ProgramRun run = tool({"explain", kind});
    EXPECT_EQ(run.exit_status, 64) << kind;
    EXPECT_EQ(run.standard_output, "") << kind;
    EXPECT_NE(run.standard_error.find("the kinds are 1 to 13, 15 to 22, 24, 25, 101 to 103, 1250, 1251; the rules "
                                      "are utf8-text, byte-order-mark,"),
              std::string::npos)
        << run.standard_error;
  }
}

}  // namespace
