#include "platform/file_watcher.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace platform {
namespace {

// Every way a file can get new content or go away in its folder. Only the
// end of a write counts, not each block written.
constexpr std::uint32_t kFolderEvents =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_CREATE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;

// How often a folder that went away is looked for.
constexpr int kRewatchMilliseconds = 100;

}  // namespace

FileWatcher::FileWatcher(const std::vector<std::string>& paths) {
  if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
    error_ = std::string("cannot make a pipe: ") + std::strerror(errno);
    return;
  }
  inotify_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (inotify_ < 0) {
    error_ = std::string("cannot watch files: ") + std::strerror(errno);
    return;
  }
  for (const std::string& path : paths) {
    const std::filesystem::path file = std::filesystem::absolute(path).lexically_normal();
    const std::string folder = file.parent_path().string();
    const int descriptor = ::inotify_add_watch(inotify_, folder.c_str(), kFolderEvents | IN_ONLYDIR);
    if (descriptor < 0) {
      error_ = "cannot watch the folder " + folder + ": " + std::strerror(errno);
      return;
    }
    Watched watched{descriptor, folder, file.filename().string()};
    struct stat status {};
    if (::stat(folder.c_str(), &status) == 0) {
      watched.device = status.st_dev;
      watched.inode = status.st_ino;
    }
    watched_.push_back(watched);
  }
}

FileWatcher::~FileWatcher() {
  for (int fd : {inotify_, wake_[0], wake_[1]}) {
    if (fd >= 0) ::close(fd);
  }
}

void FileWatcher::stop() {
  if (wake_[1] < 0) return;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(wake_[1], &byte, 1);
}

bool FileWatcher::read_events() {
  bool relevant = false;
  alignas(inotify_event) std::array<char, 16384> buffer;
  for (;;) {
    const ssize_t length = ::read(inotify_, buffer.data(), buffer.size());
    if (length <= 0) break;
    for (ssize_t offset = 0; offset < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      // A full queue lost events: assume one of them was ours.
      if (event->mask & IN_Q_OVERFLOW) relevant = true;
      // The folder itself removed or renamed away: its files are gone from
      // their paths until it is back.
      if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
        for (Watched& watched : watched_) {
          if (watched.descriptor != event->wd) continue;
          if (event->mask & IN_MOVE_SELF) ::inotify_rm_watch(inotify_, event->wd);
          watched.descriptor = -1;
          relevant = true;
        }
        continue;
      }
      if (event->len == 0) continue;
      const std::string name(event->name);
      for (const Watched& watched : watched_) {
        if (watched.descriptor == event->wd && watched.name == name) relevant = true;
      }
    }
  }
  return relevant;
}

bool FileWatcher::looking_for_folders() const {
  for (const Watched& watched : watched_) {
    if (watched.descriptor < 0) return true;
    struct stat status {};
    if (::stat((watched.folder + "/" + watched.name).c_str(), &status) != 0) return true;
  }
  return false;
}

bool FileWatcher::rewatch_folders() {
  bool back = false;
  for (Watched& watched : watched_) {
    struct stat status {};
    const bool present = ::stat(watched.folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    const bool same = present && watched.descriptor >= 0 && status.st_dev == watched.device &&
                      status.st_ino == watched.inode;
    if (same || !present) continue;
    // A folder back at its path, or another one in its place.
    const int old_descriptor = watched.descriptor;
    if (old_descriptor >= 0) ::inotify_rm_watch(inotify_, old_descriptor);
    const int descriptor = ::inotify_add_watch(inotify_, watched.folder.c_str(), kFolderEvents | IN_ONLYDIR);
    // Files of one folder share its watch.
    for (Watched& other : watched_) {
      if (other.folder != watched.folder) continue;
      other.descriptor = descriptor;
      other.device = status.st_dev;
      other.inode = status.st_ino;
    }
    back = back || descriptor >= 0;
  }
  return back;
}

FileWatcher::Wait FileWatcher::wait_for_change(std::chrono::milliseconds settle) {
  if (!error_.empty()) return Wait::kStopped;
  bool changed = false;
  for (;;) {
    std::array<pollfd, 2> fds{{{inotify_, POLLIN, 0}, {wake_[0], POLLIN, 0}}};
    // Blocks until the first event; after it, only as long as the folder
    // keeps changing within the settling time. While a folder is gone, it
    // is looked for at intervals.
    int timeout = changed ? static_cast<int>(settle.count()) : -1;
    if (!changed && looking_for_folders()) timeout = kRewatchMilliseconds;
    const int ready = ::poll(fds.data(), fds.size(), timeout);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return Wait::kStopped;
    if (fds[1].revents != 0) return Wait::kStopped;
    if (ready == 0) {
      if (changed) return Wait::kChanged;  // quiet again after a change
      if (rewatch_folders()) changed = true;
      continue;
    }
    if (read_events()) changed = true;
  }
}

}  // namespace platform
