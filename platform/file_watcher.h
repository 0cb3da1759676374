#pragma once
// Tells when any of a few files is saved, replaced, deleted or created.
// Watches the folders that hold them rather than the files themselves, so
// that an editor that saves by writing a new file and renaming it over the
// old one is followed as well as one that writes in place. A folder that is
// removed or renamed away is looked for again every tenth of a second, and
// watched again once it is back (a checkout switched, a folder made anew).

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
  // Reads the pending events; true when one of them concerns a watched file
  // or a watched folder went away.
  bool read_events();
  // Watches again each folder that went away and is back, or that another
  // folder replaced at its path; true when one is (its files may have come
  // back with it).
  bool rewatch_folders();
  // True while a folder is gone or a watched file is missing: then the
  // folders are looked at at intervals. A removed folder that something
  // still holds open (the working folder of a process) sends no event of
  // its own, and its successor at the same path is another folder.
  bool looking_for_folders() const;

  struct Watched {
    int descriptor = -1;  // the folder's watch; -1 while the folder is gone
    std::string folder;
    std::string name;     // the file's name in that folder
    unsigned long device = 0;  // which folder is watched: its device and inode
    unsigned long inode = 0;
  };
  int inotify_ = -1;
  int wake_[2] = {-1, -1};  // a pipe that stop() writes to
  std::vector<Watched> watched_;
  std::string error_;
};

}  // namespace platform
