// Inputs that are not plain, modest files: a FIFO, a folder, a sparse file
// of several gigabytes, a memory limit. Each ends within seconds with a
// message and exit status 2, never a hang, a crash or an abort.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/line_data_file.h"
#include "formats/route_file.h"
#include "formats/scenario_file.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ProgramRun;
using testing_support::TempDir;

constexpr const char* kLine =
    "[generale]\r\nlunghezza percorso,    10000\r\n[pendenze]\r\npendenza,  0,   2\r\n[fine]\r\n";
constexpr const char* kTrain = "[generale]\r\nvelocita,   0,    100\r\n[fine]\r\n";

ProgramRun tool_in(const TempDir& dir, const std::vector<std::string>& arguments,
                   testing_support::RunLimits limits = {}) {
  limits.working_folder = dir.path();
  if (limits.time_limit_milliseconds == 0) limits.time_limit_milliseconds = 10'000;
  return testing_support::run_program_with(SCENARIO_TOOL_EXE, arguments, limits);
}

void make_sparse(const TempDir& dir, const std::string& name, unsigned long long size) {
  const ProgramRun made = testing_support::run_program("/usr/bin/truncate", {"-s", std::to_string(size), dir.file(name)});
  ASSERT_EQ(made.exit_status, 0) << made.standard_error;
}

void expect_stopped(const ProgramRun& run, const std::vector<std::string>& message_parts) {
  EXPECT_FALSE(run.timed_out) << "still running after the time limit";
  EXPECT_EQ(run.signal, 0) << "ended by signal " << run.signal;
  EXPECT_EQ(run.exit_status, 2) << run.standard_error;
  for (const std::string& part : message_parts) {
    EXPECT_NE(run.standard_error.find(part), std::string::npos) << "missing \"" << part << "\" in\n"
                                                                 << run.standard_error;
  }
}

// Description files that are no plain files, or too large to be one.
TEST(BoundedInput, DescriptionThatIsNoModestFileIsRefusedBeforeItIsRead) {
  struct Case {
    const char* what;
    void (*make)(const TempDir&);
    std::vector<std::string> message;
  };
  const Case cases[] = {
      {"a FIFO with no writer", [](const TempDir& d) { ASSERT_EQ(::mkfifo(d.file("S_linea.txt").c_str(), 0644), 0); },
       {"S_linea.txt", "FIFO"}},
      {"a folder", [](const TempDir& d) { std::filesystem::create_directory(d.file("S_linea.txt")); },
       {"S_linea.txt", "folder"}},
      {"a 3 GB sparse file", [](const TempDir& d) { make_sparse(d, "S_linea.txt", 3ull << 30); },
       {"S_linea.txt", "3221225472 bytes", "67108864 bytes"}},
      {"one byte over the limit", [](const TempDir& d) { make_sparse(d, "S_linea.txt", platform::kMaxInputBytes + 1); },
       {"67108865 bytes", "67108864 bytes"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    c.make(dir);
    dir.write("S_T-.txt", kTrain);
    expect_stopped(tool_in(dir, {"compile", "S_linea.txt", "S_T-.txt"}), c.message);
    EXPECT_FALSE(dir.exists("S_T.sim"));
  }
}

// A sparse description just under the size limit, read under an address
// space limit too small to hold it: the memory runs out, and the tool says
// so. Not under AddressSanitizer, which needs far more address space.
TEST(BoundedInput, MemoryLimitEndsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit here";
#else
  TempDir dir;
  make_sparse(dir, "S_linea.txt", 60ull << 20);
  dir.write("S_T-.txt", kTrain);
  testing_support::RunLimits limits;
  limits.address_space_limit = 48ull << 20;
  const ProgramRun run = tool_in(dir, {"compile", "S_linea.txt", "S_T-.txt"}, limits);
  expect_stopped(run, {"S_linea.txt", "memory"});
#endif
}

// A memory limit at many levels, from where the program can just start to
// where the compile of the embedded scenario fits: every run ends either
// cleanly or with a message and exit 2, never an abort.
TEST(BoundedInput, AnyMemoryLimitGivesAnExitStatusNotAnAbort) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit here";
#else
  TempDir dir;
  ASSERT_EQ(tool_in(dir, {"sources", "."}).exit_status, 0);
  const std::vector<std::string> compile = {"compile", "Alvera_Monteluce_linea.txt", "Alvera_Monteluce_2734-2-.txt"};
  // Below some limit the program cannot even be loaded; the sweep starts
  // where it can answer --version.
  unsigned long start = 2;
  for (; start < 64; ++start) {
    testing_support::RunLimits limits;
    limits.address_space_limit = start << 20;
    if (tool_in(dir, {"--version"}, limits).exit_status == 0) break;
  }
  int clean = 0;
  int stopped = 0;
  for (unsigned long megabytes = start; megabytes <= start + 48; megabytes += 2) {
    SCOPED_TRACE(std::to_string(megabytes) + " MB");
    testing_support::RunLimits limits;
    limits.address_space_limit = megabytes << 20;
    const ProgramRun run = tool_in(dir, compile, limits);
    EXPECT_EQ(run.signal, 0) << run.standard_error;
    EXPECT_TRUE(run.exit_status == 0 || run.exit_status == 2) << run.exit_status << "\n" << run.standard_error;
    if (run.exit_status == 2) {
      ++stopped;
      EXPECT_NE(run.standard_error.find("memory"), std::string::npos) << run.standard_error;
    }
    if (run.exit_status == 0) ++clean;
  }
  EXPECT_GT(stopped, 0) << "no limit was tight enough to matter";
  EXPECT_GT(clean, 0) << "no limit was loose enough for the compile";
#endif
}

// Compiled files that are no plain files, or larger than the longest line
// can make them, given to dump and found by plot.
TEST(BoundedInput, CompiledFileThatIsNoModestFileIsRefused) {
  struct Case {
    const char* what;
    const char* name;
    void (*make)(const TempDir&, const std::string&);
    std::vector<std::string> message;
  };
  const auto fifo = [](const TempDir& d, const std::string& name) { ASSERT_EQ(::mkfifo(d.file(name).c_str(), 0644), 0); };
  const auto sparse = [](const TempDir& d, const std::string& name) { make_sparse(d, name, 200ull << 20); };
  const Case cases[] = {
      {"a FIFO as line data file", "S_linea.dat", fifo, {"S_linea.dat", "FIFO"}},
      {"a FIFO as route file", "S_T.dat", fifo, {"S_T.dat", "FIFO"}},
      {"a 200 MB line data file", "S_linea.dat", sparse,
       {"S_linea.dat", "209715200 bytes", std::to_string(compiler::kMaxLineDataFileBytes) + " bytes"}},
      {"a 200 MB route file", "S_T.dat", sparse,
       {"S_T.dat", std::to_string(compiler::kMaxRouteFileBytes) + " bytes"}},
      {"a 200 MB scenario file", "S_T.sim", sparse,
       {"S_T.sim", std::to_string(compiler::kMaxScenarioFileBytes) + " bytes"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    dir.write("S_linea.txt", kLine);
    dir.write("S_T-.txt", kTrain);
    ASSERT_EQ(tool_in(dir, {"compile", "S_linea.txt", "S_T-.txt"}).exit_status, 0);
    std::filesystem::remove(dir.file(c.name));
    c.make(dir, c.name);
    expect_stopped(tool_in(dir, {"dump", c.name}), c.message);
    expect_stopped(tool_in(dir, {"plot", ".", "--scenario-id", "S", "--train-id", "T"}), c.message);
  }
}

// The decoders refuse more than the longest line gives before they
// allocate anything for it.
TEST(BoundedInput, DecodersRefuseMoreThanTheLongestLine) {
  const std::string route(compiler::kMaxRouteFileBytes + compiler::kRouteCellBytes, '\0');
  EXPECT_FALSE(compiler::decode_route_file(route).ok());
  EXPECT_TRUE(compiler::decode_route_file(std::string_view(route).substr(0, compiler::kMaxRouteFileBytes)).ok());

  // Empty elements are 2 bytes: a file far below the byte limit can still
  // announce more metres than any line has.
  const std::string empties(2 * 2 * (compiler::kMaxColumnElements + 1), '\0');
  const auto too_many = compiler::decode_line_data_file(empties);
  ASSERT_FALSE(too_many.ok());
  EXPECT_NE(too_many.error.find("elements"), std::string::npos) << too_many.error;
  EXPECT_TRUE(compiler::decode_line_data_file(std::string_view(empties).substr(0, 4 * compiler::kMaxColumnElements)).ok());

  const std::string doubles(compiler::kMaxLineDataFileBytes + compiler::kDoubleElementBytes, '\0');
  const auto too_large = compiler::decode_line_data_file(doubles);
  ASSERT_FALSE(too_large.ok());
  EXPECT_NE(too_large.error.find(std::to_string(compiler::kMaxLineDataFileBytes)), std::string::npos)
      << too_large.error;
}

}  // namespace
