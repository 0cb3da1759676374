// scenario_tool end to end, through the built executable in temporary folders.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scenario/line_description.h"
#include "scenario/train_description.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ProgramRun;
using testing_support::TempDir;

ProgramRun tool(const std::vector<std::string>& arguments, const std::string& folder = {}) {
  return testing_support::run_program(SCENARIO_TOOL_EXE, arguments, folder);
}

const char* const kEmbeddedTexts[] = {
    "Alvera_Monteluce_linea.txt", "Alvera_Monteluce_2734-2-.txt", "Alvera_Monteluce_2734-2_note.txt",
    "Alvera_Monteluce_2734-2_rallentamenti.txt", "Alvera_Monteluce_2734-2_scheda_treno.txt"};
const char* const kEmbeddedOutputs[] = {"Alvera_Monteluce_linea.dat", "Alvera_Monteluce_2734-2.sim",
                                        "Alvera_Monteluce_2734-2.dat"};

// A short line and a train that runs over it cleanly.
constexpr const char* kLine =
    "[generale]\r\n"
    "lunghezza percorso,    10000\r\n"
    "[pendenze]\r\n"
    "pendenza,  0,   2\r\n"
    "[fine]\r\n";
constexpr const char* kTrainHead =
    "[generale]\r\n"
    "numero vetture,    4\r\n"
    "velocita,   0,    100\r\n"
    "aderenza,   0,    100\r\n"
    "stazione,    8000,  28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, FINE\r\n";

TEST(ToolSources, WritesTheSameTextsAsTheProgram) {
  TempDir program_dir, tool_dir;
  std::filesystem::copy_file(SCENARIO_COMPILER_EXE, program_dir.file("scenario_compiler"));
  testing_support::run_program(program_dir.file("scenario_compiler"));
  const ProgramRun run = tool({"sources", tool_dir.path()});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  for (const char* name : kEmbeddedTexts) ASSERT_TRUE(tool_dir.exists(name)) << name;
  // The program consumes its two descriptions; they come from the same tables.
  EXPECT_EQ(tool_dir.read(kEmbeddedTexts[0]), scenario::document_bytes(scenario::line_description_lines()));
  EXPECT_EQ(tool_dir.read(kEmbeddedTexts[1]), scenario::document_bytes(scenario::train_description_lines()));
  // The documents the program keeps must be byte-identical.
  for (const char* name : {kEmbeddedTexts[2], kEmbeddedTexts[3], kEmbeddedTexts[4]}) {
    EXPECT_EQ(tool_dir.read(name), program_dir.read(name)) << name;
  }
}

TEST(ToolCompile, EmbeddedSourcesGiveTheProgramsFilesAndStayInPlace) {
  TempDir program_dir, tool_dir;
  std::filesystem::copy_file(SCENARIO_COMPILER_EXE, program_dir.file("scenario_compiler"));
  const ProgramRun program = testing_support::run_program(program_dir.file("scenario_compiler"));
  ASSERT_EQ(program.exit_status, 0) << program.standard_error;
  ASSERT_EQ(tool({"sources", tool_dir.path()}).exit_status, 0);
  const std::string line = tool_dir.file(kEmbeddedTexts[0]);
  const std::string train = tool_dir.file(kEmbeddedTexts[1]);
  const std::string line_before = tool_dir.read(kEmbeddedTexts[0]);

  const ProgramRun run = tool({"compile", line, train, "-o", tool_dir.path()});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  for (const char* name : kEmbeddedOutputs) EXPECT_EQ(tool_dir.read(name), program_dir.read(name)) << name;
  EXPECT_EQ(tool_dir.read(kEmbeddedTexts[0]), line_before) << "the tool never consumes its inputs";
  EXPECT_TRUE(tool_dir.exists(kEmbeddedTexts[1]));
}

TEST(ToolCompile, NoPlanWritesNoLineDataFile) {
  TempDir dir;
  const std::string line = dir.write("S_linea.txt", kLine);
  const std::string train = dir.write("S_T-.txt", std::string(kTrainHead) + "[fine]\r\n");
  const ProgramRun run = tool({"compile", line, train, "-o", dir.path(), "--no-plan"});
  EXPECT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_FALSE(dir.exists("S_linea.dat"));
  EXPECT_TRUE(dir.exists("S_T.sim"));
  EXPECT_TRUE(dir.exists("S_T.dat"));
}

// An injected fault and the report an author gets for it: the error at the
// field at fault with its source line, a note at the record holding a taken
// cell, and what the error left out of the compile.
struct FaultCase {
  const char* name;
  std::string train_records;  // between the train head and "[fine]"
  std::string expected_stderr;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class ToolCompileReports : public testing::TestWithParam<FaultCase> {};

TEST_P(ToolCompileReports, PointsAtTheField) {
  const FaultCase& c = GetParam();
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  dir.write("S_T-.txt", std::string(kTrainHead) + c.train_records + "[fine]\r\n");
  const ProgramRun run = tool({"compile", "S_linea.txt", "S_T-.txt"}, dir.path());
  EXPECT_EQ(run.exit_status, 1) << run.standard_error;
  EXPECT_EQ(run.standard_error, c.expected_stderr);
  EXPECT_TRUE(dir.exists("S_T.dat")) << "files are written after a recorded error";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ToolCompileReports,
    testing::Values(
        FaultCase{"TakenSignalCell",
                  "segnale,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
                  "segnale,    2060,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
                  "sabbia,    300\r\n",
                  "S_T-.txt:7:13: error 16: the cell of this signal at 2060 m (cell 42) is already taken (scenario_tool explain 16)\n"
                  "segnale,    2060,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
                  "            ^\n"
                  "S_T-.txt:6:1: note: cell 42 is taken by this record\n"
                  "segnale,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
                  "^\n"
                  "records after line 7 of S_T-.txt were not compiled; 'scenario_tool check' lists every problem\n"},
        FaultCase{"StationOffTheGrid",
                  "stazione,    2020,  12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, NOME\r\n",
                  "S_T-.txt:6:14: error 8: station position 2020 is not a multiple of 50 (scenario_tool explain 8)\n"
                  "stazione,    2020,  12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, NOME\n"
                  "             ^\n"},
        FaultCase{"RecordBeyondTheRoute", "segnale,    17000,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n",
                  "S_T-.txt:6:13: error 15: position 17000 lies beyond the end of the route (16900 m at most) (scenario_tool explain 15)\n"
                  "segnale,    17000,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
                  "            ^\n"},
        FaultCase{"ValueOutOfRange", "sabbia,    3x00\r\n",
                  "S_T-.txt:6:12: error 25: sand '3x00' is not a whole number (scenario_tool explain 25)\n"
                  "sabbia,    3x00\n"
                  "           ^\n"},
        FaultCase{"ReadingFailureSaysWhatWasNotCompiled",
                  "sabbia,    3x00\r\n"
                  "segnale,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n",
                  "S_T-.txt:6:12: error 25: sand '3x00' is not a whole number (scenario_tool explain 25)\n"
                  "sabbia,    3x00\n"
                  "           ^\n"
                  "records after line 6 of S_T-.txt were not compiled; 'scenario_tool check' lists every problem\n"},
        FaultCase{"PostPassFindsNoRoom",
                  "segnale,    4600,   1, 4, 0,  0, 0,    0,  0,0,0, 0\r\n"
                  "segnale,    4650,   1, 4, 0,  0, 0,    0,  0,0,0, 0\r\n"
                  "segnale,    4700,   1, 4, 0,  0, 0,    0,  0,0,0, 0\r\n"
                  "rallentamento,  4950,  60,  500,  0,  0,  0\r\n",
                  "S_T-.txt:9:1: error 12: no free cell in a look-back group before this slowdown's start in cell 100 "
                  "(5000 m) (scenario_tool explain 12)\n"
                  "rallentamento,  4950,  60,  500,  0,  0,  0\n"
                  "^\n"},
        FaultCase{"MisspeltKeywordIsAWarning",
                  "segnael,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
                  "stazione,    9020,  28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, FINE\r\n",
                  "S_T-.txt:7:14: error 8: station position 9020 is not a multiple of 50 (scenario_tool explain 8)\n"
                  "stazione,    9020,  28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, FINE\n"
                  "             ^\n"
                  "S_T-.txt:6:1: warning: unknown keyword 'segnael': the train description has no such record and "
                  "the compile passes over it; did you mean 'segnale'? [unknown-keyword]\n"
                  "segnael,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
                  "^\n"}),
    [](const testing::TestParamInfo<FaultCase>& p) { return std::string(p.param.name); });

// A missing description: error 101 for the line (no route, no file), error
// 25 for the train (the files written from the line alone).
TEST(ToolCompile, MissingDescriptions) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  dir.write("S_T-.txt", std::string(kTrainHead) + "[fine]\r\n");
  ProgramRun run = tool({"compile", "S_linea.txt", "S_X-.txt"}, dir.path());
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.standard_error, "S_X-.txt:1:1: error 25: the train description file does not exist (scenario_tool explain 25)\n");
  EXPECT_TRUE(dir.exists("S_X.dat"));
  EXPECT_TRUE(dir.exists("S_X.sim"));

  run = tool({"compile", "S_lineb.txt", "S_T-.txt", "--scenario-id", "S"}, dir.path());
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_EQ(run.standard_error,
            "S_lineb.txt:1:1: error 101: the line description file does not exist (scenario_tool explain 101)\n"
            "S_T-.txt was not compiled; 'scenario_tool check' lists every problem\n");
}

// However many warnings a description gives, the compile shows the first
// thousand and counts the rest, as the check does.
TEST(ToolCompile, WarningsAreBounded) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  std::string records;
  // A different misspelling on every line: no warning repeats another.
  for (int i = 0; i < 1005; ++i) records += "segn" + std::to_string(i) + ",    2050\r\n";
  dir.write("S_T-.txt", std::string(kTrainHead) + records + "[fine]\r\n");
  ProgramRun run = tool({"compile", "S_linea.txt", "S_T-.txt"}, dir.path());
  EXPECT_EQ(run.exit_status, 0) << run.standard_error.substr(0, 500);
  std::size_t warnings = 0;
  for (std::size_t at = run.standard_error.find("[unknown-keyword]\n"); at != std::string::npos;
       at = run.standard_error.find("[unknown-keyword]\n", at + 1)) {
    ++warnings;
  }
  EXPECT_EQ(warnings, 1000u);
  EXPECT_TRUE(run.standard_error.ends_with("\n5 more warnings not shown\n"))
      << run.standard_error.substr(run.standard_error.size() - 300);
  // The same warning line after line is shown once, with its count.
  records.clear();
  for (int i = 0; i < 1005; ++i) records += "segnael,    2050\r\n";
  dir.write("S_T-.txt", std::string(kTrainHead) + records + "[fine]\r\n");
  run = tool({"compile", "S_linea.txt", "S_T-.txt"}, dir.path());
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.standard_error.find("[unknown-keyword]\n"), run.standard_error.rfind("[unknown-keyword]\n"));
  EXPECT_NE(run.standard_error.find(": note: ... and 1004 more like this, up to this line\n"), std::string::npos)
      << run.standard_error;
}

// --no-warn turns a rule's warnings off in the compile as in the check; the
// files are the same either way.
TEST(ToolCompile, NoWarnTurnsARuleOff) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  dir.write("S_T-.txt", std::string(kTrainHead) + "segnael,    2050\r\n[fine]\r\n");
  ProgramRun run = tool({"compile", "S_linea.txt", "S_T-.txt"}, dir.path());
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_NE(run.standard_error.find("[unknown-keyword]"), std::string::npos) << run.standard_error;
  const std::string warned = dir.read("S_T.dat");
  run = tool({"compile", "S_linea.txt", "S_T-.txt", "-W", "unknown-keyword"}, dir.path());
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.standard_error.find("[unknown-keyword]"), std::string::npos) << run.standard_error;
  EXPECT_EQ(dir.read("S_T.dat"), warned);
  run = tool({"compile", "S_linea.txt", "S_T-.txt", "--no-warn", "no-such-rule"}, dir.path());
  EXPECT_EQ(run.exit_status, 64);
  EXPECT_NE(run.standard_error.find("--no-warn takes a warning rule, not 'no-such-rule'"), std::string::npos);
}

TEST(ToolCompile, ExitStatuses) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  dir.write("S_T-.txt", std::string(kTrainHead) + "[fine]\r\n");
  dir.write("oddname.txt", kLine);
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    int expected;
  };
  const Case cases[] = {
      {"clean", {"compile", "S_linea.txt", "S_T-.txt"}, 0},
      {"missing train file: error 25, the files written", {"compile", "S_linea.txt", "S_X-.txt", "--train-id", "X"}, 1},
      {"missing line file: error 101, no route", {"compile", "S_lineb.txt", "S_T-.txt", "--scenario-id", "S"}, 2},
      {"output folder missing", {"compile", "S_linea.txt", "S_T-.txt", "-o", "no/such/folder"}, 2},
      {"no command", {}, 64},
      {"unknown command", {"frobnicate"}, 64},
      {"missing arguments", {"compile", "S_linea.txt"}, 64},
      {"identifiers not in the names", {"compile", "oddname.txt", "S_T-.txt"}, 64},
      {"identifiers given", {"compile", "oddname.txt", "S_T-.txt", "--scenario-id", "S", "--train-id", "T"}, 0},
      {"identifier outside Windows-1252", {"compile", "S_linea.txt", "S_T-.txt", "--train-id", "\xE2\x82\xAC\xE4\xB8\x80"}, 64},
      {"identifier leading out of the folder", {"compile", "S_linea.txt", "S_T-.txt", "--train-id", "../x"}, 64},
      {"identifier with a backslash", {"compile", "S_linea.txt", "S_T-.txt", "--train-id", "a\\b"}, 64},
      {"identifier with a control character", {"compile", "S_linea.txt", "S_T-.txt", "--train-id", "a\x01"}, 64},
      {"identifier naming the folder", {"compile", "S_linea.txt", "S_T-.txt", "--scenario-id", "."}, 64},
      {"identifier naming the parent", {"compile", "S_linea.txt", "S_T-.txt", "--scenario-id", ".."}, 64},
      {"help", {"compile", "--help"}, 0},
  };
  for (const Case& c : cases) {
    const ProgramRun run = tool(c.arguments, dir.path());
    EXPECT_EQ(run.exit_status, c.expected) << c.name << "\n" << run.standard_error;
  }
}

TEST(ToolCompile, StoresUtf8IdentifiersAsWindows1252) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  dir.write("S_T-.txt", std::string(kTrainHead) + "[fine]\r\n");
  const ProgramRun run = tool({"compile", "S_linea.txt", "S_T-.txt", "--train-id", "T\xC3\xA8\xE2\x82\xAC"}, dir.path());
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  const std::string sim = dir.read("S_T\xE8\x80.sim");
  EXPECT_NE(sim.find(std::string("\x03\x00T\xE8\x80", 5)), std::string::npos) << "length 3, then the 1252 bytes";
}

TEST(ToolDump, DecodesEachKindOfFile) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  dir.write("S_T-.txt", std::string(kTrainHead) + "[fine]\r\n");
  ASSERT_EQ(tool({"compile", "S_linea.txt", "S_T-.txt"}, dir.path()).exit_status, 0);
  struct Case {
    std::vector<std::string> arguments;
    std::string expected_fragment;
  };
  const Case cases[] = {
      {{"dump", "S_T.dat"}, "{\"index\":1,\"metre\":50,\"kind\":0,\"kind_name\":\"none\",\"param1\":5121,"},
      {{"dump", "S_T.dat", "--csv"}, "index,kind,param1,param2,param3,param4,param5,marker,tunnel,speed_limit,gradient,adhesion\n0,0,0,0,0,0,0,0,0,20,102,100\n"},
      {{"dump", "S_T.sim"}, "{\"index\":85,\"role\":\"scenario header\",\"code\":0,\"value1\":0,\"value2\":0,\"value3\":0,\"flag\":0,\"text\":\"S\",\"word1\":610,"},
      {{"dump", "S_T.sim", "--csv"}, "\n86,0,0,0,0,0,T,0,0,0,0,0,0,0,0,0,0\n"},
      {{"dump", "S_linea.dat"}, "{\"metre\":1,\"x_tag\":\"int16\",\"x\":0.0,\"y_tag\":\"int16\",\"y\":1.0}"},
      {{"dump", "S_linea.dat", "--csv"}, "\n2,double,0.0,double,2.0\n"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = tool(c.arguments, dir.path());
    EXPECT_EQ(run.exit_status, 0) << run.standard_error;
    EXPECT_NE(run.standard_output.find(c.expected_fragment), std::string::npos)
        << c.arguments[1] << "\n" << run.standard_output.substr(0, 600);
  }
}

TEST(ToolDump, RefusesAFileThatDoesNotFitItsLayout) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  dir.write("S_T-.txt", std::string(kTrainHead) + "[fine]\r\n");
  ASSERT_EQ(tool({"compile", "S_linea.txt", "S_T-.txt"}, dir.path()).exit_status, 0);
  for (const char* name : {"S_T.dat", "S_T.sim", "S_linea.dat"}) {
    const std::string bytes = dir.read(name);
    dir.write(name, bytes.substr(0, bytes.size() - 1));
    const ProgramRun run = tool({"dump", name}, dir.path());
    EXPECT_EQ(run.exit_status, 2) << name;
    EXPECT_NE(run.standard_error.find(name), std::string::npos) << run.standard_error;
    EXPECT_TRUE(run.standard_output.empty()) << name;
  }
  EXPECT_EQ(tool({"dump", "missing.dat"}, dir.path()).exit_status, 2);
  EXPECT_EQ(tool({"dump", "notes.txt"}, dir.path()).exit_status, 64);
}

}  // namespace
