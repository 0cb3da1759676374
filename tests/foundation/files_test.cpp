#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "scenario/document.h"
#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;

TEST(ReplaceFile, CreatesAFileThatDidNotExist) {
  TempDir dir;
  platform::replace_file(dir.file("a.dat"), "abc");
  EXPECT_EQ(dir.read("a.dat"), "abc");
  EXPECT_EQ(dir.names().size(), 1u) << "no temporary file may stay behind";
}

TEST(ReplaceFile, ShorterNewContentLeavesNothingOfTheOld) {
  TempDir dir;
  dir.write("a.dat", std::string(1000, 'x'));
  platform::replace_file(dir.file("a.dat"), "short");
  EXPECT_EQ(dir.read("a.dat"), "short");
  EXPECT_EQ(dir.names().size(), 1u);
}

TEST(ReplaceFile, EmptyContentGivesAZeroByteFile) {
  TempDir dir;
  dir.write("a.dat", "old");
  platform::replace_file(dir.file("a.dat"), "");
  EXPECT_EQ(dir.read("a.dat"), "");
}

TEST(ReplaceFile, FailureNamesTheFileAndLeavesNothing) {
  TempDir dir;
  const std::string missing_folder = dir.file("missing");
  try {
    platform::replace_file(missing_folder + "/a.dat", "abc");
    FAIL() << "writing into a missing folder must fail";
  } catch (const platform::FileError& error) {
    EXPECT_EQ(error.path(), missing_folder + "/a.dat");
    EXPECT_FALSE(error.reason().empty());
  }
  EXPECT_EQ(dir.names().size(), 0u);
}

TEST(ReplaceFile, ReplacesASymbolicLinkNotItsTarget) {
  TempDir dir;
  dir.write("target.dat", "keep");
  std::filesystem::create_symlink(dir.file("target.dat"), dir.file("link.dat"));
  platform::replace_file(dir.file("link.dat"), "new");
  EXPECT_EQ(dir.read("target.dat"), "keep");
  EXPECT_EQ(dir.read("link.dat"), "new");
  EXPECT_FALSE(std::filesystem::is_symlink(dir.file("link.dat")));
}

TEST(FileReplacement, PiecesWrittenInTurnMakeTheWholeFile) {
  TempDir dir;
  dir.write("a.dat", std::string(5000, 'o'));
  platform::FileReplacement file(dir.file("a.dat"));
  file.write("first ");
  file.write("");
  file.write("second");
  EXPECT_EQ(dir.read("a.dat"), std::string(5000, 'o')) << "the old file stays until the commit";
  file.commit();
  EXPECT_EQ(dir.read("a.dat"), "first second");
  EXPECT_EQ(dir.names().size(), 1u);
}

TEST(FileReplacement, AbandonedBeforeTheCommitLeavesTheOldFileAlone) {
  TempDir dir;
  dir.write("a.dat", "old");
  {
    platform::FileReplacement file(dir.file("a.dat"));
    file.write("half of the new");
  }
  EXPECT_EQ(dir.read("a.dat"), "old");
  EXPECT_EQ(dir.names().size(), 1u) << "the temporary file is removed";
}

TEST(ReadFile, MissingFileIsNothingAndPresentFileIsWhole) {
  TempDir dir;
  EXPECT_FALSE(platform::read_file(dir.file("none.txt")).has_value());
  dir.write("a.txt", std::string("a\0b", 3));
  EXPECT_EQ(platform::read_file(dir.file("a.txt")).value(), std::string("a\0b", 3));
}

TEST(ReadFile, LimitIsCheckedBeforeReadingAndNamesBothSizes) {
  TempDir dir;
  dir.write("a.txt", "12345");
  EXPECT_EQ(platform::read_file(dir.file("a.txt"), 5).value(), "12345");
  try {
    platform::read_file(dir.file("a.txt"), 4);
    FAIL() << "a file over the limit must be refused";
  } catch (const platform::FileError& error) {
    EXPECT_EQ(error.path(), dir.file("a.txt"));
    EXPECT_EQ(error.reason(), "it is 5 bytes, more than the limit of 4 bytes");
  }
}

// The three files of a set, each with its own old content.
const char* const kSet[] = {"one.dat", "two.sim", "three.dat"};

void write_new_set(platform::OutputSet& set, const TempDir& dir) {
  for (const char* name : kSet) set.write(set.add(dir.file(name)), std::string("new ") + name);
}

TEST(OutputSet, NothingIsRenamedUntilEveryFileIsWritten) {
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named temporaries" : "unnamed temporaries");
    TempDir dir;
    for (const char* name : kSet) dir.write(name, std::string("old ") + name);
    platform::OutputSet set(named);
    write_new_set(set, dir);
    for (const char* name : kSet) EXPECT_EQ(dir.read(name), std::string("old ") + name);
    set.commit();
    for (const char* name : kSet) EXPECT_EQ(dir.read(name), std::string("new ") + name);
    EXPECT_EQ(dir.names().size(), 3u) << "no temporary file may stay behind";
  }
}

// Whatever stops the set before its renames leaves every old file and no
// temporary: a folder, a name too long for the file system.
TEST(OutputSet, TargetThatCannotTakeItsFileStopsTheSetBeforeAnyRename) {
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named temporaries" : "unnamed temporaries");
    struct Case {
      const char* what;
      std::string third;
      const char* reason;
    };
    const Case cases[] = {
        {"a folder in place of the third file", "three.dat", "Is a directory"},
        {"a name too long", std::string(256, 'n'), "File name too long"},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      TempDir dir;
      dir.write("one.dat", "old one");
      dir.write("two.sim", "old two");
      std::filesystem::create_directory(dir.file("three.dat"));
      platform::OutputSet set(named);
      set.write(set.add(dir.file("one.dat")), "new one");
      set.write(set.add(dir.file("two.sim")), "new two");
      set.write(set.add(dir.file(c.third)), "new three");
      try {
        set.commit();
        FAIL() << "the set must not be committed";
      } catch (const platform::PartialReplacement&) {
        FAIL() << "no file may have been renamed";
      } catch (const platform::FileError& error) {
        EXPECT_EQ(error.path(), dir.file(c.third));
        EXPECT_EQ(error.reason(), c.reason);
      }
      EXPECT_EQ(dir.read("one.dat"), "old one");
      EXPECT_EQ(dir.read("two.sim"), "old two");
      EXPECT_EQ(dir.names(), (std::set<std::string>{"one.dat", "two.sim", "three.dat"}));
    }
  }
}

// A rename that fails after the first has succeeded: the error says which
// files are new and which are not, and no temporary is left.
TEST(OutputSet, RenameFailingPartWayNamesTheNewAndTheOldFiles) {
  TempDir dir;
  for (const char* name : kSet) dir.write(name, std::string("old ") + name);
  platform::OutputSet set;
  write_new_set(set, dir);
  set.prepare();
  // Something else puts a folder where the third file goes, after the check.
  std::filesystem::remove(dir.file("three.dat"));
  std::filesystem::create_directory(dir.file("three.dat"));
  try {
    set.rename_all();
    FAIL() << "the third rename must fail";
  } catch (const platform::PartialReplacement& error) {
    EXPECT_EQ(error.path(), dir.file("three.dat"));
    EXPECT_EQ(error.replaced(), (std::vector<std::string>{dir.file("one.dat"), dir.file("two.sim")}));
    EXPECT_EQ(error.kept(), (std::vector<std::string>{dir.file("three.dat")}));
  }
  EXPECT_EQ(dir.read("one.dat"), "new one.dat");
  EXPECT_EQ(dir.read("two.sim"), "new two.sim");
  EXPECT_EQ(dir.names(), (std::set<std::string>{"one.dat", "two.sim", "three.dat"}));
}

// Temporaries of our pattern that killed runs left are removed before a set
// is written; a live process's temporary, a fresh one and other hidden
// files are not.
TEST(OutputSet, StaleTemporariesOfEndedRunsAreRemoved) {
  const pid_t ended = [] {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
  }();
  TempDir dir;
  const std::string stale = ".scenario-tmp-" + std::to_string(ended) + "-1";
  const std::string live = ".scenario-tmp-1-2";  // process 1 is always there
  const std::string other = ".scenario-tmp-notes";
  for (const std::string& name : {stale, live, other}) {
    dir.write(name, "x");
    const auto hour_ago = std::filesystem::last_write_time(dir.file(name)) - std::chrono::hours(1);
    std::filesystem::last_write_time(dir.file(name), hour_ago);
  }
  const std::string fresh = ".scenario-tmp-" + std::to_string(ended) + "-3";  // made during this run
  dir.write(fresh, "x");
  std::filesystem::last_write_time(dir.file(fresh),
                                   std::filesystem::last_write_time(dir.file(fresh)) + std::chrono::hours(1));
  platform::replace_file(dir.file("a.dat"), "abc");
  EXPECT_EQ(dir.names(), (std::set<std::string>{"a.dat", live, other, fresh}));
}

TEST(JoinPath, InsertsOneSeparator) {
  EXPECT_EQ(platform::join_path("/x/y", "a.txt"), "/x/y/a.txt");
  EXPECT_EQ(platform::join_path("/x/y/", "a.txt"), "/x/y/a.txt");
}

// The document writing rule, on small tables.
TEST(WriteDocument, WritesEveryLineBeforeTheMarkerWithCrLf) {
  struct Case {
    const char* name;
    std::vector<std::string_view> lines;
    std::string expected;
  };
  const Case cases[] = {
      {"only the marker", {scenario::kEndMarker}, ""},
      {"blank-only and empty lines", {"   ", "", "x", scenario::kEndMarker}, "   \r\n\r\nx\r\n"},
      {"entries after the marker", {"a", scenario::kEndMarker, "never", scenario::kEndMarker}, "a\r\n"},
      {"a line that only contains the marker", {" riferimento fine del file", scenario::kEndMarker},
       " riferimento fine del file\r\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    scenario::write_document(dir.path(), "doc.txt", c.lines);
    EXPECT_EQ(dir.read("doc.txt"), c.expected) << c.name;
  }
}

TEST(WriteDocument, SecondRunLeavesNoTrailingBytesOfALongerOldFile) {
  TempDir dir;
  const std::vector<std::string_view> longer = {"a long first version of the line", "second", scenario::kEndMarker};
  const std::vector<std::string_view> shorter = {"b", scenario::kEndMarker};
  scenario::write_document(dir.path(), "doc.txt", longer);
  scenario::write_document(dir.path(), "doc.txt", shorter);
  EXPECT_EQ(dir.read("doc.txt"), "b\r\n");
}

}  // namespace
