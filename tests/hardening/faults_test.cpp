// Faults around the compiled files: the run stops with a message naming the
// file and the reason, exit status 2, earlier files unchanged, nothing left
// half written.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using testing_support::ProgramRun;
using testing_support::TempDir;

const char* const kOutputs[] = {"S_linea.dat", "S_T.sim", "S_T.dat"};

std::string line_text(int length) {
  return "[generale]\r\nlunghezza percorso,    " + std::to_string(length) +
         "\r\n[curve]\r\ncurvas2,  1000,  400\r\ncurvad5,  3000,  200\r\n[pendenze]\r\npendenza,  0,   2\r\n[fine]\r\n";
}
constexpr const char* kTrain = "[generale]\r\nvelocita,   0,    100\r\naderenza,   0,    100\r\n[fine]\r\n";

ProgramRun compile_in(const TempDir& dir, const std::vector<std::string>& extra = {},
                      testing_support::RunLimits limits = {}) {
  std::vector<std::string> arguments = {"compile", "S_linea.txt", "S_T-.txt"};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  limits.working_folder = dir.path();
  return testing_support::run_program_with(SCENARIO_TOOL_EXE, arguments, limits);
}

std::map<std::string, std::string> outputs_of(const TempDir& dir) {
  std::map<std::string, std::string> bytes;
  for (const char* name : kOutputs) {
    if (std::filesystem::is_regular_file(dir.file(name))) bytes[name] = dir.read(name);
  }
  return bytes;
}

std::vector<std::string> temporary_files(const TempDir& dir) {
  std::vector<std::string> names;
  for (const std::string& name : dir.names()) {
    if (name[0] == '.') names.push_back(name);
  }
  return names;
}

// The id of a process that has ended (and been reaped).
pid_t finished_process() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST(OutputFaults, FolderThatCannotBeWrittenStopsTheRun) {
  struct Case {
    const char* name;
    const char* output_folder;
    const char* reason;
  };
  const Case cases[] = {
      {"missing folder", "missing/folder", "No such file or directory"},
      {"path through a regular file", "plain/folder", "Not a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    dir.write("S_linea.txt", line_text(10000));
    dir.write("S_T-.txt", kTrain);
    dir.write("plain", "a regular file");
    const ProgramRun run = compile_in(dir, {"-o", c.output_folder});
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_NE(run.standard_error.find(std::string(c.output_folder) + "/S_linea.dat"), std::string::npos)
        << run.standard_error;
    EXPECT_NE(run.standard_error.find(c.reason), std::string::npos) << run.standard_error;
    EXPECT_TRUE(temporary_files(dir).empty());
  }
}

TEST(OutputFaults, FileSizeLimitInTheLineDataFileKeepsEveryEarlierFile) {
  TempDir dir;
  dir.write("S_linea.txt", line_text(10000));
  dir.write("S_T-.txt", kTrain);
  ASSERT_EQ(compile_in(dir).exit_status, 0);
  const auto before = outputs_of(dir);
  ASSERT_EQ(before.size(), 3u);

  dir.write("S_linea.txt", line_text(20000));  // new files would differ from the old ones
  testing_support::RunLimits limits;
  limits.file_size_limit = 100'000;  // the line data file needs about 540 kB
  const ProgramRun run = compile_in(dir, {}, limits);

  EXPECT_EQ(run.signal, 0) << "killed by signal " << run.signal;
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_NE(run.standard_error.find("S_linea.dat"), std::string::npos) << run.standard_error;
  EXPECT_NE(run.standard_error.find("File too large"), std::string::npos) << run.standard_error;
  EXPECT_EQ(outputs_of(dir), before) << "every earlier file stays byte for byte";
  EXPECT_TRUE(temporary_files(dir).empty());
}

TEST(OutputFaults, DescriptionThatCannotBeReadStopsWithoutOutput) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("S_linea.txt"));
  dir.write("S_T-.txt", kTrain);
  const ProgramRun run = compile_in(dir);
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_EQ(run.standard_error.rfind("S_linea.txt:1:1: error 25: the line description cannot be read: it is a folder", 0),
            0u)
      << run.standard_error;
  // Nothing after the refusal but the refusal.
  EXPECT_EQ(run.standard_error.find("no line length"), std::string::npos) << run.standard_error;
  EXPECT_TRUE(outputs_of(dir).empty());
}

// Runs killed at random moments leave each compiled file either as it was
// before or whole as the new run wrote it, never cut short; the next good
// run then leaves exactly the set in the folder, whatever temporaries the
// killed runs left behind.
TEST(OutputFaults, KilledRunsLeaveNoFileCutShortAndAGoodRunLeavesOnlyTheSet) {
  TempDir dir;
  dir.write("S_T-.txt", kTrain);
  dir.write("S_linea.txt", line_text(990000));
  ASSERT_EQ(compile_in(dir).exit_status, 0);
  const auto old_files = outputs_of(dir);
  dir.write("S_linea.txt", line_text(1000000));
  TempDir reference;
  reference.write("S_T-.txt", kTrain);
  reference.write("S_linea.txt", line_text(1000000));
  ASSERT_EQ(compile_in(reference).exit_status, 0);
  const auto new_files = outputs_of(reference);

  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 generator(seed);
  std::uniform_int_distribution<long> delay(500, 150'000);
  for (int run = 0; run < 12; ++run) {
    testing_support::RunLimits limits;
    limits.kill_after_microseconds = delay(generator);
    compile_in(dir, {}, limits);
    for (const auto& [name, bytes] : outputs_of(dir)) {
      EXPECT_TRUE(bytes == old_files.at(name) || bytes == new_files.at(name))
          << name << " is neither the old nor the new file after a kill at " << limits.kill_after_microseconds
          << " us";
    }
  }
  // What a run killed between naming its temporaries and renaming them
  // leaves, made certain here: a temporary of a process that is gone.
  const std::string stale = ".scenario-tmp-" + std::to_string(finished_process()) + "-12345";
  dir.write(stale, "left by a killed run");
  const auto old_time = std::filesystem::last_write_time(dir.file(stale)) - std::chrono::hours(1);
  std::filesystem::last_write_time(dir.file(stale), old_time);

  const ProgramRun good = compile_in(dir);
  ASSERT_EQ(good.exit_status, 0) << good.standard_error;
  EXPECT_EQ(dir.names(), (std::set<std::string>{"S_T-.txt", "S_linea.txt", "S_linea.dat", "S_T.sim", "S_T.dat"}));
  EXPECT_EQ(outputs_of(dir), new_files);
}

// The third file cannot be replaced (a folder holds its name): the run
// stops before any rename, so the first two stay the earlier ones.
TEST(OutputFaults, FolderInPlaceOfTheThirdFileKeepsTheWholeEarlierSet) {
  TempDir dir;
  dir.write("S_linea.txt", line_text(10000));
  dir.write("S_T-.txt", kTrain);
  ASSERT_EQ(compile_in(dir).exit_status, 0);
  std::filesystem::remove(dir.file("S_T.dat"));
  std::filesystem::create_directory(dir.file("S_T.dat"));
  const auto before = outputs_of(dir);

  dir.write("S_linea.txt", line_text(20000));
  const ProgramRun run = compile_in(dir);
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_NE(run.standard_error.find("S_T.dat: Is a directory"), std::string::npos) << run.standard_error;
  EXPECT_EQ(outputs_of(dir), before) << "no file of the set is replaced";
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("S_T.dat")));
  EXPECT_TRUE(temporary_files(dir).empty());
}

// Identifiers as long as the file names allow: the temporary names never
// make a valid final name fail, in the compile and in the picture.
TEST(OutputFaults, LongestIdentifiersThatFitTheirNamesCompileAndPlot) {
  TempDir dir;
  const std::string scenario(240, 'S');  // S_linea.dat: 250 bytes, S_T.sim: 246
  dir.write(scenario + "_linea.txt", line_text(10000));
  dir.write(scenario + "_T-.txt", kTrain);
  testing_support::RunLimits limits;
  limits.working_folder = dir.path();
  const ProgramRun compiled = testing_support::run_program_with(
      SCENARIO_TOOL_EXE, {"compile", scenario + "_linea.txt", scenario + "_T-.txt"}, limits);
  ASSERT_EQ(compiled.exit_status, 0) << compiled.standard_error;
  for (const std::string& name : {scenario + "_linea.dat", scenario + "_T.sim", scenario + "_T.dat"}) {
    EXPECT_TRUE(dir.exists(name)) << name;
  }
  const ProgramRun plotted = testing_support::run_program_with(SCENARIO_TOOL_EXE, {"plot", "."}, limits);
  EXPECT_EQ(plotted.exit_status, 0) << plotted.standard_error;
  EXPECT_TRUE(dir.exists(scenario + "_T.svg"));
  EXPECT_TRUE(temporary_files(dir).empty());
}

// The one-shot program under a file size limit that its line data file
// passes: the write fails with a message and exit 2, the process is not
// killed, and no compiled file or temporary is left.
TEST(OutputFaults, FileSizeLimitStopsTheProgramWithAMessage) {
  TempDir dir;
  const std::string program = dir.file("scenario_compiler");
  std::filesystem::copy_file(SCENARIO_COMPILER_EXE, program);
  testing_support::RunLimits limits;
  limits.working_folder = dir.path();
  limits.file_size_limit = 1'000'000;  // the documents fit, the 2 MB line data file does not
  const ProgramRun run = testing_support::run_program_with(program, {}, limits);
  EXPECT_EQ(run.signal, 0) << "killed by signal " << run.signal;
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_NE(run.standard_error.find("Alvera_Monteluce_linea.dat: File too large"), std::string::npos)
      << run.standard_error;
  EXPECT_FALSE(dir.exists("Alvera_Monteluce_linea.dat"));
  EXPECT_FALSE(dir.exists("Alvera_Monteluce_2734-2.sim"));
  EXPECT_TRUE(temporary_files(dir).empty());
}

// A folder on a file system mounted read-only after a good compile: the run
// stops, and the files of the good compile stay as they were. Needs the
// right to mount (root); skipped without it.
TEST(OutputFaults, ReadOnlyFileSystemKeepsTheEarlierFiles) {
  TempDir dir;
  const std::string mount_point = dir.file("mounted");
  std::filesystem::create_directory(mount_point);
  const auto mount = [&](const std::string& options) {
    return testing_support::run_program("/bin/mount", {"-t", "tmpfs", "-o", options, "tmpfs", mount_point}).exit_status;
  };
  if (mount("size=8m") != 0) GTEST_SKIP() << "cannot mount a file system here";
  dir.write("S_linea.txt", line_text(10000));
  dir.write("S_T-.txt", kTrain);
  const ProgramRun good = compile_in(dir, {"-o", "mounted"});
  std::map<std::string, std::string> before;
  for (const char* name : kOutputs) before[name] = dir.read(std::string("mounted/") + name);

  const int remounted = mount("remount,ro");
  dir.write("S_linea.txt", line_text(20000));
  const ProgramRun run = compile_in(dir, {"-o", "mounted"});
  std::map<std::string, std::string> after;
  for (const char* name : kOutputs) after[name] = dir.read(std::string("mounted/") + name);
  std::vector<std::string> stray;
  for (const auto& entry : std::filesystem::directory_iterator(mount_point)) {
    if (entry.path().filename().string()[0] == '.') stray.push_back(entry.path().filename().string());
  }
  testing_support::run_program("/bin/umount", {mount_point});

  ASSERT_EQ(good.exit_status, 0) << good.standard_error;
  ASSERT_EQ(remounted, 0);
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_NE(run.standard_error.find("mounted/S_linea.dat: Read-only file system"), std::string::npos)
      << run.standard_error;
  EXPECT_EQ(after, before);
  EXPECT_TRUE(stray.empty());
}

}  // namespace
