#pragma once
// The program takes no input. Its command line is looked at only for the two
// questions every installed program answers, --help and --version, which are
// answered without writing any file; any other argument is ignored.

#include <string>
#include <string_view>

namespace driver {

enum class CommandLineRequest { kRun, kHelp, kVersion };

// --help anywhere wins over --version anywhere; anything else runs.
CommandLineRequest command_line_request(int argc, const char* const* argv);

// What the program does and which files it writes, for --help.
std::string help_text();

// "scenario_compiler VERSION", for --version.
std::string version_text(std::string_view version);

}  // namespace driver
