#include "support/temp_dir.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace testing_support {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "scenario-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::file(std::string_view name) const { return path_ + "/" + std::string(name); }

std::string TempDir::write(std::string_view name, std::string_view bytes) const {
  const std::string full = file(name);
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + full);
  return full;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TempDir::read(std::string_view name) const { return read_file(file(name)); }

bool TempDir::exists(std::string_view name) const { return std::filesystem::exists(file(name)); }

std::set<std::string> TempDir::names() const {
  std::set<std::string> found;
  for (const auto& item : std::filesystem::directory_iterator(path_)) found.insert(item.path().filename().string());
  return found;
}

namespace {

std::string drain(int fd) {
  std::string text;
  char block[4096];
  ssize_t got;
  while ((got = ::read(fd, block, sizeof block)) > 0) text.append(block, static_cast<std::size_t>(got));
  ::close(fd);
  return text;
}

}  // namespace

ProgramRun run_program(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& working_folder) {
  RunLimits limits;
  limits.working_folder = working_folder;
  return run_program_with(program, arguments, limits);
}

ProgramRun run_program_with(const std::string& program, const std::vector<std::string>& arguments,
                            const RunLimits& limits) {
  const std::string& working_folder = limits.working_folder;
  // Standard output and error go to temporary files, so neither pipe can fill up.
  char out_name[] = "/tmp/scenario-run-out-XXXXXX";
  char err_name[] = "/tmp/scenario-run-err-XXXXXX";
  const int out_fd = ::mkstemp(out_name);
  const int err_fd = ::mkstemp(err_name);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out_fd, 1);
    ::dup2(err_fd, 2);
    if (!working_folder.empty() && ::chdir(working_folder.c_str()) != 0) ::_exit(127);
    // The program gets the default action of SIGXFSZ, whatever the test
    // runner set, so that only the program itself can ignore it.
    ::signal(SIGXFSZ, SIG_DFL);
    if (limits.file_size_limit != 0) {
      const rlimit limit{limits.file_size_limit, limits.file_size_limit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (limits.address_space_limit != 0) {
      const rlimit limit{limits.address_space_limit, limits.address_space_limit};
      ::setrlimit(RLIMIT_AS, &limit);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::unsetenv("DISPLAY");
    for (const auto& [name, value] : limits.environment) ::setenv(name.c_str(), value.c_str(), 1);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ProgramRun run;
  int status = 0;
  if (limits.kill_after_microseconds != 0) {
    ::usleep(static_cast<useconds_t>(limits.kill_after_microseconds));
    ::kill(child, SIGKILL);
  }
  if (limits.time_limit_milliseconds != 0) {
    for (long waited = 0; ::waitpid(child, &status, WNOHANG) == 0; waited += 10) {
      if (waited >= limits.time_limit_milliseconds) {
        ::kill(child, SIGKILL);
        run.timed_out = true;
        ::waitpid(child, &status, 0);
        break;
      }
      ::usleep(10'000);
    }
  } else {
    ::waitpid(child, &status, 0);
  }
  if (WIFEXITED(status)) run.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  ::lseek(out_fd, 0, SEEK_SET);
  ::lseek(err_fd, 0, SEEK_SET);
  run.standard_output = drain(out_fd);
  run.standard_error = drain(err_fd);
  ::unlink(out_name);
  ::unlink(err_name);
  return run;
}

}  // namespace testing_support
