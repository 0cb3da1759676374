#pragma once
// A fresh temporary folder per test, removed with everything in it at the end.

#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

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

 private:
  std::string path_;
};

// Runs a program with the given arguments (no shell); captures standard
// error. Returns the exit status, or -1 when it did not exit normally.
struct ProgramRun {
  int exit_status = -1;
  std::string standard_error;
  std::string standard_output;
};
ProgramRun run_program(const std::string& program, const std::vector<std::string>& arguments = {},
                       const std::string& working_folder = {});

}  // namespace testing_support
