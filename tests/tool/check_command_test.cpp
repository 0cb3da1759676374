// scenario_tool check: every problem in one run, as text for a terminal or
// as JSON for a program, and its exit statuses.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using testing_support::ProgramRun;
using testing_support::TempDir;

ProgramRun tool(const std::vector<std::string>& arguments, const std::string& folder) {
  return testing_support::run_program(SCENARIO_TOOL_EXE, arguments, folder);
}

constexpr const char* kLine =
    "[generale]\r\n"
    "lunghezza percorso,    10000\r\n"
    "[pendenze]\r\n"
    "pendenza,  0,   2\r\n"
    "[fine]\r\n";

// Two errors, a warning with a note-free message, and an error with a note.
constexpr const char* kFaultyTrain =
    "[generale]\r\n"
    "sabbia,    3x00\r\n"
    "segnael,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
    "segnale,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
    "segnale,    2060,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
    "stazione,    8000,  28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, FINE\r\n"
    "velocita,    0,   100\r\n"
    "[fine]\r\n";

TEST(ToolCheck, TextListsEveryProblemAndCountsThem) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  dir.write("S_T-.txt", kFaultyTrain);
  const ProgramRun run = tool({"check", "S_linea.txt", "S_T-.txt"}, dir.path());
  EXPECT_EQ(run.exit_status, 1) << run.standard_error;
  EXPECT_EQ(run.standard_output,
            "S_T-.txt:2:12: error 25: sand '3x00' is not a whole number (scenario_tool explain 25)\n"
            "sabbia,    3x00\n"
            "           ^\n"
            "S_T-.txt:3:1: warning: unknown keyword 'segnael': the train description has no such record and the "
            "compile passes over it; did you mean 'segnale'? [unknown-keyword]\n"
            "segnael,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
            "^\n"
            "S_T-.txt:5:13: error 16: the cell of this signal at 2060 m (cell 42) is already taken "
            "(scenario_tool explain 16)\n"
            "segnale,    2060,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
            "            ^\n"
            "S_T-.txt:4:1: note: cell 42 is taken by this record\n"
            "segnale,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
            "^\n"
            "2 errors, 1 warning\n");
  EXPECT_FALSE(dir.exists("S_T.dat")) << "the check writes no file";
}

TEST(ToolCheck, JsonHasOneObjectPerDiagnostic) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  dir.write("S_T-.txt", kFaultyTrain);
  const ProgramRun run = tool({"check", "S_linea.txt", "S_T-.txt", "--format", "json"}, dir.path());
  EXPECT_EQ(run.exit_status, 1) << run.standard_error;
  const nlohmann::json diagnostics = nlohmann::json::parse(run.standard_output);
  ASSERT_TRUE(diagnostics.is_array());
  ASSERT_EQ(diagnostics.size(), 3u);
  for (const nlohmann::json& d : diagnostics) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : d.items()) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"column", "file", "kind", "line", "message", "notes", "rule", "severity"}));
    EXPECT_EQ(d["file"], "S_T-.txt") << "the file as given on the command line";
    EXPECT_TRUE(d["line"].is_number_integer());
    EXPECT_TRUE(d["column"].is_number_integer());
    EXPECT_TRUE(d["notes"].is_array());
  }
  EXPECT_EQ(diagnostics[0]["severity"], "error");
  EXPECT_EQ(diagnostics[0]["kind"], 25);
  EXPECT_EQ(diagnostics[0]["line"], 2);
  EXPECT_EQ(diagnostics[0]["column"], 12);
  EXPECT_EQ(diagnostics[0]["message"], "sand '3x00' is not a whole number");
  EXPECT_EQ(diagnostics[1]["severity"], "warning");
  EXPECT_TRUE(diagnostics[1]["kind"].is_null()) << "warnings have no kind";
  EXPECT_EQ(diagnostics[1]["rule"], "unknown-keyword");
  EXPECT_TRUE(diagnostics[0]["rule"].is_null()) << "errors have no rule";
  EXPECT_EQ(diagnostics[2]["kind"], 16);
  ASSERT_EQ(diagnostics[2]["notes"].size(), 1u);
  const nlohmann::json& note = diagnostics[2]["notes"][0];
  EXPECT_EQ(note["severity"], "note");
  EXPECT_TRUE(note["kind"].is_null());
  EXPECT_EQ(note["line"], 4);
  EXPECT_EQ(note["column"], 1);
  EXPECT_EQ(note["message"], "cell 42 is taken by this record");
}

TEST(ToolCheck, ExitStatusesAndFileLevelDiagnostics) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  dir.write("S_T-.txt", "[generale]\r\nsabbia, 3\r\nvelocita, 0, 100\r\n[fine]\r\n");
  // Warnings only: no error, exit 0.
  ProgramRun run = tool({"check", "S_linea.txt", "S_T-.txt"}, dir.path());
  EXPECT_EQ(run.exit_status, 0) << run.standard_output;
  EXPECT_EQ(run.standard_output,
            "S_T-.txt:1:1: warning: the train description has no station: the scenario has no stop [no-station]\n"
            "0 errors, 1 warning\n");
  // A missing file is error 101 or 25, at 1:1 like every diagnostic about a
  // whole file, so that an editor's problem matcher shows it.
  run = tool({"check", "S_nessuna.txt", "S_T-.txt", "--format", "json"}, dir.path());
  EXPECT_EQ(run.exit_status, 1);
  const nlohmann::json diagnostics = nlohmann::json::parse(run.standard_output);
  ASSERT_EQ(diagnostics.size(), 1u);
  EXPECT_EQ(diagnostics[0]["kind"], 101);
  EXPECT_EQ(diagnostics[0]["line"], 1);
  EXPECT_EQ(diagnostics[0]["column"], 1);
  run = tool({"check", "S_linea.txt", "S_X-.txt"}, dir.path());
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.standard_output,
            "S_X-.txt:1:1: error 25: the train description file does not exist (scenario_tool explain 25)\n"
            "1 error, 0 warnings\n");
  // The files in the wrong order: said once, and the check fails.
  run = tool({"check", "S_T-.txt", "S_linea.txt"}, dir.path());
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.standard_output,
            "S_T-.txt:1:1: warning: this file holds a train description, and S_linea.txt the line description: the "
            "two files are given in the wrong order; give the line description first [files-swapped]\n"
            "0 errors, 1 warning\n");
  // Bad usage.
  EXPECT_EQ(tool({"check", "S_linea.txt"}, dir.path()).exit_status, 64);
  EXPECT_EQ(tool({"check", "S_linea.txt", "S_T-.txt", "--format", "xml"}, dir.path()).exit_status, 64);
}

}  // namespace

namespace {

// Warning rules turned off one by one, and warnings that fail the check.
TEST(ToolCheck, NoWarnAndWarningsAsErrors) {
  TempDir dir;
  dir.write("S_linea.txt", kLine);
  // A light group of 9 (out-of-range) and no station (no-station).
  dir.write("S_T-.txt",
            "[generale]\r\nvelocita,   0,   100\r\n[segnali]\r\n"
            "segnale,    2050,   9, 4, 1,  0, 0,    0,  0,0,0, 0\r\n[fine]\r\n");
  struct Case {
    std::vector<std::string> options;
    int exit_status;
    std::string summary;  // the last line
    std::vector<std::string> rules_shown;
  };
  const Case cases[] = {
      {{}, 0, "0 errors, 2 warnings", {"out-of-range", "no-station"}},
      {{"--warnings-as-errors"}, 1, "0 errors, 2 warnings", {"out-of-range", "no-station"}},
      {{"--no-warn", "no-station"}, 0, "0 errors, 1 warning", {"out-of-range"}},
      {{"--no-warn", "no-station", "--no-warn", "out-of-range", "--warnings-as-errors"}, 0, "0 errors, 0 warnings",
       {}},
      {{"--no-warn", "out-of-range", "--warnings-as-errors"}, 1, "0 errors, 1 warning", {"no-station"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"check"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.insert(arguments.end(), {"S_linea.txt", "S_T-.txt"});
    const ProgramRun run = tool(arguments, dir.path());
    SCOPED_TRACE(run.standard_output + run.standard_error);
    EXPECT_EQ(run.exit_status, c.exit_status);
    EXPECT_TRUE(run.standard_output.ends_with(c.summary + "\n"));
    std::vector<std::string> shown;
    for (const char* rule : {"out-of-range", "no-station"}) {
      if (run.standard_output.find("[" + std::string(rule) + "]\n") != std::string::npos) shown.emplace_back(rule);
    }
    EXPECT_EQ(shown, c.rules_shown);
  }
  const ProgramRun unknown = tool({"check", "--no-warn", "no-stations", "S_linea.txt", "S_T-.txt"}, dir.path());
  EXPECT_EQ(unknown.exit_status, 64);
  EXPECT_NE(unknown.standard_error.find("--no-warn takes a warning rule, not 'no-stations'"), std::string::npos)
      << unknown.standard_error;
}

}  // namespace
