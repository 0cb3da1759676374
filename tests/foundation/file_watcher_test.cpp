// FileWatcher: each way an editor saves a file counts as a change; stop()
// ends a wait; a folder that cannot be watched is an error, not a hang.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/file_watcher.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

using platform::FileWatcher;

TEST(FileWatcher, EveryWayOfSavingIsAChange) {
  const struct {
    const char* way;
    std::function<void(const std::string& path)> save;
  } cases[] = {
      {"written in place", [](const std::string& path) { std::ofstream(path, std::ios::app) << "more\n"; }},
      {"replaced by a renamed file", [](const std::string& path) { platform::replace_file(path, "new\n"); }},
      {"deleted", [](const std::string& path) { std::filesystem::remove(path); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.way);
    const testing_support::TempDir dir;
    const std::string path = dir.write("S_linea.txt", "old\n");
    FileWatcher watcher({path});
    ASSERT_EQ(watcher.error(), "");
    c.save(path);
    EXPECT_EQ(watcher.wait_for_change(), FileWatcher::Wait::kChanged);
  }
}

TEST(FileWatcher, StopEndsThisWaitAndEveryLaterOne) {
  const testing_support::TempDir dir;
  FileWatcher watcher({dir.write("S_linea.txt", "old\n")});
  ASSERT_EQ(watcher.error(), "");
  watcher.stop();
  EXPECT_EQ(watcher.wait_for_change(), FileWatcher::Wait::kStopped);
  EXPECT_EQ(watcher.wait_for_change(), FileWatcher::Wait::kStopped);
}

// The folder that holds the files removed or renamed away and then back
// (a checkout switched, a build step that makes the folder anew): each step
// is a change, and saves after the folder's return are seen again.
TEST(FileWatcher, FollowsItsFolderWhenItGoesAndComesBack) {
  const struct {
    const char* way;
    std::function<void(const std::filesystem::path& folder)> take_away;
    std::function<void(const std::filesystem::path& folder)> bring_back;
  } cases[] = {
      {"removed and made anew", [](const std::filesystem::path& folder) { std::filesystem::remove_all(folder); },
       [](const std::filesystem::path& folder) {
         std::filesystem::create_directory(folder);
         std::ofstream(folder / "S_linea.txt") << "back\n";
       }},
      {"renamed away and back",
       [](const std::filesystem::path& folder) { std::filesystem::rename(folder, folder.string() + ".old"); },
       [](const std::filesystem::path& folder) { std::filesystem::rename(folder.string() + ".old", folder); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.way);
    const testing_support::TempDir dir;
    const std::filesystem::path folder = std::filesystem::path(dir.path()) / "scenario";
    std::filesystem::create_directory(folder);
    const std::string path = (folder / "S_linea.txt").string();
    std::ofstream(path) << "old\n";
    FileWatcher watcher({path});
    ASSERT_EQ(watcher.error(), "");
    c.take_away(folder);
    EXPECT_EQ(watcher.wait_for_change(), FileWatcher::Wait::kChanged);
    c.bring_back(folder);
    EXPECT_EQ(watcher.wait_for_change(), FileWatcher::Wait::kChanged);
    // Watched again: a save in the returned folder is seen.
    std::ofstream(path, std::ios::app) << "more\n";
    EXPECT_EQ(watcher.wait_for_change(), FileWatcher::Wait::kChanged);
  }
}

TEST(FileWatcher, AFolderThatIsNotThereIsAnError) {
  const testing_support::TempDir dir;
  FileWatcher watcher({dir.file("missing/S_linea.txt")});
  EXPECT_NE(watcher.error().find("cannot watch the folder"), std::string::npos) << watcher.error();
  EXPECT_EQ(watcher.wait_for_change(), FileWatcher::Wait::kStopped);
}

}  // namespace
