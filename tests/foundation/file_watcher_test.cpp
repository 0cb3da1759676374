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

TEST(FileWatcher, AFolderThatIsNotThereIsAnError) {
  const testing_support::TempDir dir;
  FileWatcher watcher({dir.file("missing/S_linea.txt")});
  EXPECT_NE(watcher.error().find("cannot watch the folder"), std::string::npos) << watcher.error();
  EXPECT_EQ(watcher.wait_for_change(), FileWatcher::Wait::kStopped);
}

}  // namespace
