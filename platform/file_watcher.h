#pragma once
// Tells when any of a few files is saved, replaced, deleted or created.
// Watches the folders that hold them rather than the files themselves, so
// that an editor that saves by writing a new file and renaming it over the
// old one is followed as well as one that writes in place.

#include <chrono>
#include <string>
#include <vector>

namespace platform {

class FileWatcher {
 public:
  // Starts watching. A folder that cannot be watched leaves error() set.
  explicit FileWatcher(const std::vector<std::string>& paths);
  ~FileWatcher();
  FileWatcher(const FileWatcher&) = delete;
  FileWatcher& operator=(const FileWatcher&) = delete;

  // Why watching failed, or empty.
  const std::string& error() const { return error_; }

  enum class Wait { kChanged, kStopped };
  // Blocks until one of the files changes, then waits until the folder has
  // been quiet for `settle` (so that a save of several steps counts once),
  // or until stop() is called.
  Wait wait_for_change(std::chrono::milliseconds settle = std::chrono::milliseconds(3));

  // Ends a wait in another thread, now and for every later call.
  void stop();

 private:
  // Reads the pending events; true when one of them concerns a watched file.
  bool read_events();

  struct Watched {
    int descriptor = -1;  // the folder's watch
    std::string name;     // the file's name in that folder
  };
  int inotify_ = -1;
  int wake_[2] = {-1, -1};  // a pipe that stop() writes to
  std::vector<Watched> watched_;
  std::string error_;
};

}  // namespace platform
