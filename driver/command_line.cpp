#include "driver/command_line.h"

#include <algorithm>

#include "naming/file_names.h"
#include "scenario/embedded_scenario.h"

namespace driver {

CommandLineRequest command_line_request(int argc, const char* const* argv) {
  CommandLineRequest request = CommandLineRequest::kRun;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help") return CommandLineRequest::kHelp;
    if (argument == "--version") request = CommandLineRequest::kVersion;
  }
  return request;
}

std::string help_text() {
  const std::string s = scenario::kScenarioId;
  const std::string t = scenario::kTrainId;
  struct Row {
    std::string name;
    const char* what;
  };
  const Row kept[] = {
      {naming::notes_name(s, t), "notes document (text)"},
      {naming::slowdown_order_name(s, t), "slowdown order document (text)"},
      {naming::timetable_sheet_name(s, t), "timetable sheet document (text)"},
      {naming::line_data_name(s), "line data file: the track plan (binary)"},
      {naming::scenario_file_name(s, t), "scenario file (binary)"},
      {naming::route_file_name(s, t), "route file (binary)"},
  };
  std::string text =
      "Usage: scenario_compiler [--help | --version]\n"
      "\n"
      "Compiles the scenario built into the program (line " + s + ", train " + t + ")\n"
      "into the simulator's files, in the folder that holds the program, and ends.\n"
      "It reads no input: any argument other than --help and --version is ignored.\n"
      "\n"
      "It shows a wait window (\"Attendere\"), writes the line description " + naming::line_description_name(s) + "\n"
      "and the train description " + naming::train_description_name(s, t) + ", compiles them, deletes\n"
      "them, and leaves these files beside itself, each replaced whole:\n";
  std::size_t width = 0;
  for (const Row& row : kept) width = std::max(width, row.name.size());
  for (const Row& row : kept) text += "  " + row.name + std::string(width + 2 - row.name.size(), ' ') + row.what + "\n";
  text +=
      "\n"
      "With a display the wait window and the message box are real windows;\n"
      "without one they are lines on standard error.\n"
      "\n"
      "Options:\n"
      "  --help     print this help and exit\n"
      "  --version  print the version and exit\n"
      "\n"
      "Exit status:\n"
      "  0  compiled, no error kind recorded\n"
      "  1  compiled and written, an error kind recorded (reported on standard error)\n"
      "  2  stopped without output (stamping error, no route, a file that could not\n"
      "     be written, or memory exhausted); every earlier compiled file unchanged\n"
      "  3  the compiled files only partly renamed into place: the message names the\n"
      "     new ones and the old ones\n";
  return text;
}

std::string version_text(std::string_view version) {
  return "scenario_compiler " + std::string(version) + "\n";
}

}  // namespace driver
