#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

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
