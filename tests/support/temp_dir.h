#pragma once
// A fresh temporary folder per test, removed with everything in it at the end.

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

// The bytes of the file at path; throws std::runtime_error naming it when it
// cannot be read.
std::string read_file(const std::string& path);

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path()/name
  std::string file(std::string_view name) const;
  // Writes bytes to path()/name and returns the full path.
  std::string write(std::string_view name, std::string_view bytes) const;
  // The bytes of path()/name; fails the test when it cannot be read.
  std::string read(std::string_view name) const;
  bool exists(std::string_view name) const;
  // The names in path(), hidden temporary files included.
  std::set<std::string> names() const;

 private:
  std::string path_;
};

// Runs a program with the given arguments (no shell); captures standard
// error. Returns the exit status, or -1 when it did not exit normally.
struct ProgramRun {
  int exit_status = -1;
  int signal = 0;          // the signal that ended it, if one did
  bool timed_out = false;  // killed for running past RunLimits::time_limit_milliseconds
  std::string standard_error;
  std::string standard_output;
};
ProgramRun run_program(const std::string& program, const std::vector<std::string>& arguments = {},
                       const std::string& working_folder = {});

// Limits and faults for a run.
struct RunLimits {
  std::string working_folder;
  // Largest file the program may write, in bytes (RLIMIT_FSIZE); 0: none.
  // SIGXFSZ keeps its default action (the process is killed) unless the
  // program itself ignores it.
  unsigned long file_size_limit = 0;
  // Largest address space of the program, in bytes (RLIMIT_AS); 0: none.
  unsigned long address_space_limit = 0;
  // Kills the program with SIGKILL when it has not ended after this many
  // milliseconds, and says so in ProgramRun::timed_out; 0: no limit.
  long time_limit_milliseconds = 0;
  // Kills the program with SIGKILL after this many microseconds; 0: never.
  long kill_after_microseconds = 0;
  // Variables set in the program's environment (DISPLAY is unset unless
  // given here).
  std::vector<std::pair<std::string, std::string>> environment;
};
ProgramRun run_program_with(const std::string& program, const std::vector<std::string>& arguments,
                            const RunLimits& limits);

}  // namespace testing_support
