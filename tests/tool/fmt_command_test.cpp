// scenario_tool fmt: rewrites description files in the canonical layout,
// only those it changes, keeping their permissions; --check writes nothing
// and tells by its exit status.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ProgramRun;
using testing_support::TempDir;

ProgramRun tool(const std::vector<std::string>& arguments) {
  return testing_support::run_program(SCENARIO_TOOL_EXE, arguments);
}

// A line and a train description as an author left them, and as the
// formatter writes them. The curve record tells a line description from a
// train description: in a train description it is an unknown keyword and
// stays as it is.
constexpr const char* kLine = "[generale]\nlunghezza percorso,5000\n[curve]\n  curvad3,100,200\n[fine]\n";
constexpr const char* kLineFormatted =
    "[generale]\nlunghezza percorso,    5000\r\n[curve]\r\ncurvad3,     100,     200\r\n[fine]\r\n";
constexpr const char* kTrain =
    "[generale]\r\nvelocita,0,100\r\n\r\n\r\nstazione,0,8,400,0,0,0,1,1,0,4,1,1,1,8,0,0,PARTENZA\r\n[fine]";
constexpr const char* kTrainFormatted =
    "[generale]\r\nvelocita,       0, 100\r\n\r\n"
    "stazione,       0,   8,     400,   0,   0,   0,   1,   1,   0,   4,   1,   1,   1,   8,   0,   0, PARTENZA\r\n"
    "[fine]\r\n";

unsigned mode_of(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(ToolFmt, RewritesEachFileThatChangesKeepingItsPermissions) {
  TempDir dir;
  const std::string line = dir.write("Valle_linea.txt", kLine);
  const std::string train = dir.write("Valle_1-.txt", kTrain);
  ASSERT_EQ(::chmod(line.c_str(), 0640), 0);
  ASSERT_EQ(::chmod(train.c_str(), 0604), 0);

  const ProgramRun run = tool({"fmt", line, train});
  EXPECT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(run.standard_output, "formatted " + line + "\nformatted " + train + "\n");
  EXPECT_EQ(dir.read("Valle_linea.txt"), kLineFormatted);
  EXPECT_EQ(dir.read("Valle_1-.txt"), kTrainFormatted);
  EXPECT_EQ(mode_of(line), 0640u);
  EXPECT_EQ(mode_of(train), 0604u);
  EXPECT_EQ(dir.names(), (std::set<std::string>{"Valle_linea.txt", "Valle_1-.txt"})) << "no temporary is left";

  // Formatted, they compile as before (the library tests hold the bytes).
  const ProgramRun compiled = tool({"compile", line, train, "-o", dir.path()});
  EXPECT_EQ(compiled.exit_status, 0) << compiled.standard_error;
}

TEST(ToolFmt, AFileOfAnotherNameIsToldByItsRecords) {
  TempDir dir;
  const std::string line = dir.write("bozza.txt", kLine);
  const ProgramRun run = tool({"fmt", line});
  EXPECT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(dir.read("bozza.txt"), kLineFormatted) << "formatted as a line description";
}

TEST(ToolFmt, ALinkStaysALinkAndItsFileIsRewritten) {
  TempDir dir;
  const std::string target = dir.write("Valle_linea.txt", kLine);
  const std::string link = dir.file("Link_linea.txt");
  fs::create_symlink("Valle_linea.txt", link);
  const ProgramRun run = tool({"fmt", link});
  EXPECT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(dir.read("Valle_linea.txt"), kLineFormatted);
}

TEST(ToolFmt, CheckWritesNothingAndTellsByItsStatus) {
  TempDir dir;
  const std::string messy = dir.write("Valle_linea.txt", kLine);
  const std::string tidy = dir.write("Valle_1-.txt", kTrainFormatted);

  const ProgramRun changes = tool({"fmt", "--check", messy, tidy});
  EXPECT_EQ(changes.exit_status, 1) << changes.standard_error;
  EXPECT_EQ(changes.standard_output, messy + "\n") << "only the file that would change is listed";
  EXPECT_EQ(dir.read("Valle_linea.txt"), kLine);

  const ProgramRun clean = tool({"fmt", tidy, "--check"});
  EXPECT_EQ(clean.exit_status, 0) << clean.standard_error;
  EXPECT_EQ(clean.standard_output, "");
}

TEST(ToolFmt, AFileAlreadyInTheLayoutIsNotWritten) {
  TempDir dir;
  const std::string tidy = dir.write("Valle_1-.txt", kTrainFormatted);
  const fs::file_time_type long_ago = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(tidy, long_ago);
  struct stat before {};
  ASSERT_EQ(::stat(tidy.c_str(), &before), 0);

  const ProgramRun run = tool({"fmt", tidy});
  EXPECT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(run.standard_output, "");
  EXPECT_EQ(fs::last_write_time(tidy), long_ago);
  struct stat after {};
  ASSERT_EQ(::stat(tidy.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino) << "the file was replaced";
}

TEST(ToolFmt, AFileThatCannotBeReadIsToldAndTheOthersAreDone) {
  TempDir dir;
  const std::string missing = dir.file("Assente_linea.txt");
  const std::string line = dir.write("Valle_linea.txt", kLine);
  fs::create_directory(dir.file("Cartella_1-.txt"));

  const ProgramRun run = tool({"fmt", missing, dir.file("Cartella_1-.txt"), line});
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_NE(run.standard_error.find(missing + " does not exist"), std::string::npos) << run.standard_error;
  EXPECT_NE(run.standard_error.find("cannot read " + dir.file("Cartella_1-.txt")), std::string::npos)
      << run.standard_error;
  EXPECT_EQ(dir.read("Valle_linea.txt"), kLineFormatted);
  EXPECT_FALSE(dir.exists("Assente_linea.txt"));

  // With --check too, a file that cannot be read outweighs one that would change.
  EXPECT_EQ(tool({"fmt", "--check", missing, line}).exit_status, 2);
}

TEST(ToolFmt, UsageErrors) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"fmt"}, std::vector<std::string>{"fmt", "--bogus", "x_linea.txt"}}) {
    const ProgramRun run = tool(arguments);
    EXPECT_EQ(run.exit_status, 64) << arguments.back() << ": " << run.standard_error;
    EXPECT_EQ(run.standard_output, "");
  }
}

}  // namespace
