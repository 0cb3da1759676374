// The one-shot program: no input; writes the embedded scenario's texts into
// its own folder, compiles them and ends. --help and --version are answered
// without writing anything.

#include <cstdio>
#include <new>
#include <string>

#include "compiler/compile.h"
#include "driver/command_line.h"
#include "driver/form1.h"

#include "platform/files.h"
#include "platform/signals.h"
#include "platform/window.h"

namespace {

// Exit status 0 when the text reached standard output whole, 1 otherwise.
int print(const std::string& text) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  return written && std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  switch (driver::command_line_request(argc, argv)) {
    case driver::CommandLineRequest::kHelp:
      return print(driver::help_text());
    case driver::CommandLineRequest::kVersion:
      return print(driver::version_text(SCENARIO_VERSION));
    case driver::CommandLineRequest::kRun:
      break;
  }
  platform::ignore_file_size_signal();
  try {
    auto window = platform::make_window();
    driver::Form1 form(*window, platform::program_folder());
    return form.run();
  } catch (const std::bad_alloc&) {
    // Unwinding to here removed the temporaries of an unfinished set.
    std::fputs("scenario_compiler: out of memory; stopped without output\n", stderr);
    return compiler::kExitStopped;
  }
}
