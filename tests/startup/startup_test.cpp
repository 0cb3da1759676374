// How the two programs start: the questions they answer before any work
// (--help, --version, a wrong command), and the program's choice of window
// when there is no display or no window module.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "naming/file_names.h"
#include "scenario/embedded_scenario.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ProgramRun;
using testing_support::RunLimits;
using testing_support::TempDir;

const std::string kScenario = scenario::kScenarioId;
const std::string kTrain = scenario::kTrainId;

// The files a complete run leaves beside the program.
std::vector<std::string> run_outputs() {
  return {naming::notes_name(kScenario, kTrain),       naming::slowdown_order_name(kScenario, kTrain),
          naming::timetable_sheet_name(kScenario, kTrain), naming::line_data_name(kScenario),
          naming::scenario_file_name(kScenario, kTrain),   naming::route_file_name(kScenario, kTrain)};
}

// The program alone in a folder of its own, where it writes its files.
std::string copy_program(const TempDir& dir) {
  const std::string copy = dir.file("scenario_compiler");
  std::filesystem::copy_file(SCENARIO_COMPILER_EXE, copy);
  return copy;
}

ProgramRun run_with(const std::string& program, const std::vector<std::string>& arguments,
                    std::vector<std::pair<std::string, std::string>> environment = {}) {
  RunLimits limits;
  limits.environment = std::move(environment);
  return testing_support::run_program_with(program, arguments, limits);
}

TEST(ProgramCommandLine, HelpAndVersionAnswerWithoutWritingAFile) {
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    bool help;
  };
  const Case cases[] = {
      {"help", {"--help"}, true},
      {"version", {"--version"}, false},
      {"help wins over version", {"--version", "--help"}, true},
      {"version after an ignored argument", {"extra", "--version"}, false},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const ProgramRun run = run_with(copy_program(dir), c.arguments);
    EXPECT_EQ(run.exit_status, 0) << c.name << "\n" << run.standard_error;
    EXPECT_EQ(dir.names(), std::set<std::string>{"scenario_compiler"}) << c.name << ": nothing may be written";
    EXPECT_EQ(run.standard_error, "") << c.name;
    if (c.help) {
      EXPECT_EQ(run.standard_output.rfind("Usage: scenario_compiler", 0), 0u) << run.standard_output;
      for (const std::string& name : run_outputs()) {
        EXPECT_NE(run.standard_output.find(name), std::string::npos) << c.name << ": the help names " << name;
      }
    } else {
      EXPECT_EQ(run.standard_output, std::string("scenario_compiler ") + EXPECTED_VERSION + "\n") << c.name;
    }
  }
}

TEST(ProgramCommandLine, AnyOtherArgumentIsIgnoredAndTheRunGoesOn) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"input.txt"}, {"-h"}, {"--helpful"}, {"--version=2"}}) {
    TempDir dir;
    const ProgramRun run = run_with(copy_program(dir), arguments);
    EXPECT_EQ(run.exit_status, 0) << arguments[0] << "\n" << run.standard_error;
    for (const std::string& name : run_outputs()) EXPECT_TRUE(dir.exists(name)) << arguments[0] << ": " << name;
  }
}

// The command names as the tool's --help lists them.
std::vector<std::string> tool_commands() {
  const ProgramRun help = testing_support::run_program(SCENARIO_TOOL_EXE, {"--help"});
  EXPECT_EQ(help.exit_status, 0);
  std::istringstream lines(help.standard_output);
  std::vector<std::string> commands;
  bool in_commands = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] != ' ') {
      in_commands = line == "Subcommands:";
      continue;
    }
    if (in_commands) commands.push_back(line.substr(2, line.find(' ', 2) - 2));
  }
  return commands;
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

TEST(ToolCommandLine, VersionAndHelp) {
  const ProgramRun version = testing_support::run_program(SCENARIO_TOOL_EXE, {"--version"});
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_EQ(version.standard_output, std::string("scenario_tool ") + EXPECTED_VERSION + "\n");

  const std::vector<std::string> commands = tool_commands();
  for (const char* command : {"sources", "compile", "dump", "plot"}) {
    EXPECT_NE(std::find(commands.begin(), commands.end(), command), commands.end()) << command;
  }
  // --help-all shows every command's own options too.
  const ProgramRun all = testing_support::run_program(SCENARIO_TOOL_EXE, {"--help-all"});
  EXPECT_EQ(all.exit_status, 0);
  EXPECT_NE(all.standard_output.find("--no-plan"), std::string::npos);
  EXPECT_NE(all.standard_output.find("--csv"), std::string::npos);
}

TEST(ToolCommandLine, AWrongCommandNamesTheCommands) {
  const std::string list = joined(tool_commands());
  ASSERT_FALSE(list.empty());
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  };
  const Case cases[] = {
      {{"bogus"}, "unknown command 'bogus'; commands: " + list + "\n"},
      {{"bogus", "compile"}, "unknown command 'bogus'; commands: " + list + "\n"},
      {{"--help", "Compile"}, "unknown command 'Compile'; commands: " + list + "\n"},
      {{}, "a command is required; commands: " + list + "\nRun with --help for more information.\n"},
      {{"--bogus"}, "unknown option '--bogus'\nRun with --help for more information.\n"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = testing_support::run_program(SCENARIO_TOOL_EXE, c.arguments);
    EXPECT_EQ(run.exit_status, 64) << joined(c.arguments);
    EXPECT_EQ(run.standard_error, c.message) << joined(c.arguments);
    EXPECT_EQ(run.standard_output, "") << joined(c.arguments);
  }
}

// The shared objects a run loaded, from the dynamic loader's own report.
std::string loaded_objects(const ProgramRun& run) {
  std::istringstream lines(run.standard_error);
  std::string objects;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("file=") != std::string::npos) objects += line + "\n";
  }
  return objects;
}

// A display name that no server answers: display 59999 has no socket.
constexpr const char* kDeadDisplay = ":59999";

TEST(ProgramWindow, WithoutADisplayTheRunIsOnTheConsoleAndLoadsNoToolkit) {
  TempDir dir;
  const ProgramRun run = run_with(copy_program(dir), {}, {{"LD_DEBUG", "files"}});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_NE(run.standard_error.find("\nAttendere\n"), std::string::npos) << "the wait window as a console line";
  for (const std::string& name : run_outputs()) EXPECT_TRUE(dir.exists(name)) << name;
  const std::string objects = loaded_objects(run);
  EXPECT_NE(objects.find("libc.so"), std::string::npos) << "the loader's report is there:\n" << run.standard_error;
  for (const char* toolkit : {"libfltk", "libX11", "libfontconfig", "scenario_window"}) {
    EXPECT_EQ(objects.find(toolkit), std::string::npos) << toolkit << " loaded:\n" << objects;
  }
}

TEST(ProgramWindow, WithADisplayThatCannotBeOpenedTheRunFallsBackToTheConsole) {
  struct Case {
    const char* name;
    const char* module;  // what lies beside the program under the module's name
    bool module_loaded;
  };
  const Case cases[] = {
      {"no module installed", nullptr, false},
      {"a file that is not a module", "not a shared object", false},
#ifdef WINDOW_MODULE_FILE
      {"the real module", "", true},
#endif
  };
  const std::string module_name = "scenario_window_fltk.so";
  for (const Case& c : cases) {
    TempDir dir;
    const std::string program = copy_program(dir);
#ifdef WINDOW_MODULE_FILE
    if (c.module != nullptr && *c.module == '\0') {
      std::filesystem::copy_file(WINDOW_MODULE_FILE, dir.file(module_name));
    }
#endif
    if (c.module != nullptr && *c.module != '\0') dir.write(module_name, c.module);
    const ProgramRun run = run_with(
        program, {},
        {{"DISPLAY", kDeadDisplay},
         {"LD_DEBUG", "files"},
         {"LSAN_OPTIONS", std::string("suppressions=") + TEST_SOURCE_DIR + "/window/lsan.supp"}});
    EXPECT_EQ(run.exit_status, 0) << c.name << "\n" << run.standard_error;
    EXPECT_NE(run.standard_error.find("\nAttendere\n"), std::string::npos) << c.name;
    for (const std::string& name : run_outputs()) EXPECT_TRUE(dir.exists(name)) << c.name << ": " << name;
    const std::string objects = loaded_objects(run);
    EXPECT_EQ(objects.find("libfltk") != std::string::npos, c.module_loaded) << c.name << "\n" << objects;
  }
}

}  // namespace
