#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <new>
#include <random>
#include <set>

namespace platform {

FileError::FileError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason), path_(std::move(path)), reason_(std::move(reason)) {}

PartialReplacement::PartialReplacement(std::string path, std::string reason, std::vector<std::string> replaced,
                                       std::vector<std::string> kept)
    : FileError(std::move(path), std::move(reason)), replaced_(std::move(replaced)), kept_(std::move(kept)) {}

namespace {

std::string errno_text(int error) { return std::strerror(error); }

// Closes a descriptor on every way out of a scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string folder_of(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void write_all(int fd, std::string_view bytes, const std::string& path) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      throw FileError(path, errno_text(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

// When this process started to write files: a temporary of our pattern
// that is older than this was not made by this run.
const timespec& run_start() {
  static const timespec start = [] {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
  }();
  return start;
}

bool older_than_run(const struct stat& info) {
  const timespec& start = run_start();
  return info.st_mtim.tv_sec < start.tv_sec ||
         (info.st_mtim.tv_sec == start.tv_sec && info.st_mtim.tv_nsec < start.tv_nsec);
}

// A short temporary name, whatever the length of the target's name, so that
// a target name that fits never fails for its temporary's sake.
std::string temporary_name(const std::string& folder) {
  static std::mt19937_64 generator{std::random_device{}()};
  return join_path(folder, std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" +
                               std::to_string(generator() % 1000000000000ULL));
}

// The process that made a temporary of our pattern, or 0 when the name
// does not follow the pattern.
pid_t owner_of(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix)) return 0;
  name.remove_prefix(kTemporaryPrefix.size());
  const auto dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 9) return 0;
  pid_t pid = 0;
  for (char c : name.substr(0, dash)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

bool process_alive(pid_t pid) { return pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH; }

// Removes the temporaries of our pattern that runs killed before they could
// rename or remove them left in folder: older than this run, and their
// process gone. Each folder is swept once per process.
void remove_stale_temporaries(const std::string& folder) {
  static std::set<std::string> swept;
  run_start();
  if (!swept.insert(folder).second) return;
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return;
  while (const dirent* item = ::readdir(listing)) {
    const pid_t owner = owner_of(item->d_name);
    if (owner == 0 || process_alive(owner)) continue;
    struct stat info;
    if (::fstatat(::dirfd(listing), item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(info.st_mode) && older_than_run(info)) ::unlinkat(::dirfd(listing), item->d_name, 0);
  }
  ::closedir(listing);
}

// Creates a new named temporary in folder, never reusing an existing name.
int create_named_temporary(const std::string& folder, std::string& temp_path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = temporary_name(folder);
    int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  temp_path.clear();
  errno = error;
  return -1;
}

// Gives an unnamed temporary a name in folder; returns 0 or an errno value.
int link_unnamed(int fd, const std::string& folder, std::string& temp_path) {
  const std::string source = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = temporary_name(folder);
    if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temp_path = std::move(name);
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

// Unnamed temporaries need /proc to be linked into the folder later.
bool unnamed_temporaries_possible() {
  static const bool possible = ::access("/proc/self/fd", X_OK) == 0;
  return possible;
}

// What would stop a rename onto path: a folder in its place, a name too
// long, a path that cannot be searched.
void check_target(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) throw FileError(path, errno_text(EISDIR));
    return;
  }
  if (errno != ENOENT) throw FileError(path, errno_text(errno));
  const std::string name = std::filesystem::path(path).filename().string();
  const long longest = ::pathconf(folder_of(path).c_str(), _PC_NAME_MAX);
  if (longest > 0 && name.size() > static_cast<std::size_t>(longest)) throw FileError(path, errno_text(ENAMETOOLONG));
}

std::string kind_of_non_regular(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder, not a file";
  if (S_ISFIFO(mode)) return "it is a FIFO, not a regular file";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
  return "not a regular file";
}

std::string too_large(std::uint64_t size, std::uint64_t limit) {
  return "it is " + std::to_string(size) + " bytes, more than the limit of " + std::to_string(limit) + " bytes";
}

}  // namespace

std::string program_folder() {
  std::error_code error;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path().string();
  return exe.parent_path().string();
}

std::string join_path(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

bool file_exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> read_file(const std::string& path, std::uint64_t limit) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer for ever.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw FileError(path, errno_text(errno));
  }
  struct stat info;
  if (::fstat(fd.get(), &info) != 0) throw FileError(path, errno_text(errno));
  if (!S_ISREG(info.st_mode)) throw FileError(path, kind_of_non_regular(info.st_mode));
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size > limit) throw FileError(path, too_large(size, limit));

  std::string content;
  try {
    content.reserve(static_cast<std::size_t>(size));
    char block[65536];
    for (;;) {
      ssize_t got = ::read(fd.get(), block, sizeof block);
      if (got < 0) {
        if (errno == EINTR) continue;
        throw FileError(path, errno_text(errno));
      }
      if (got == 0) break;
      // The file may have grown since fstat; the limit holds all the same.
      if (content.size() + static_cast<std::size_t>(got) > limit) {
        throw FileError(path, too_large(content.size() + static_cast<std::size_t>(got), limit));
      }
      content.append(block, static_cast<std::size_t>(got));
    }
  } catch (const std::bad_alloc&) {
    throw FileError(path, "not enough memory to read its " + std::to_string(size) + " bytes");
  }
  return content;
}

void delete_file(const std::string& path) { ::unlink(path.c_str()); }

OutputSet::OutputSet(bool named_temporaries) : named_temporaries_(named_temporaries) {}

OutputSet::~OutputSet() { discard(); }

void OutputSet::discard() {
  for (Pending& file : files_) {
    if (file.renamed) continue;
    if (file.fd >= 0) ::close(file.fd);
    file.fd = -1;
    if (!file.temp_path.empty()) ::unlink(file.temp_path.c_str());
    file.temp_path.clear();
  }
}

std::size_t OutputSet::add(const std::string& path) {
  const std::string folder = folder_of(path);
  remove_stale_temporaries(folder);
  files_.push_back(Pending{path, {}, -1, false});
  Pending& file = files_.back();
  const bool unnamed = !named_temporaries_ && unnamed_temporaries_possible();
  if (unnamed) file.fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
  // These say that the file system (or the kernel) has no unnamed files.
  if (file.fd < 0 && (!unnamed || errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
    file.fd = create_named_temporary(folder, file.temp_path);
  }
  if (file.fd < 0) {
    const int error = errno;
    discard();
    throw FileError(path, errno_text(error));
  }
  return files_.size() - 1;
}

void OutputSet::write(std::size_t index, std::string_view bytes) {
  Pending& file = files_.at(index);
  try {
    write_all(file.fd, bytes, file.path);
  } catch (...) {
    discard();
    throw;
  }
}

void OutputSet::set_mode(std::size_t index, unsigned mode) {
  Pending& file = files_.at(index);
  if (::fchmod(file.fd, static_cast<mode_t>(mode & 07777)) != 0) {
    const int error = errno;
    discard();
    throw FileError(file.path, errno_text(error));
  }
}

void OutputSet::prepare() {
  if (prepared_) return;
  try {
    for (Pending& file : files_) {
      check_target(file.path);
      if (file.temp_path.empty()) {
        if (const int error = link_unnamed(file.fd, folder_of(file.path), file.temp_path); error != 0) {
          throw FileError(file.path, errno_text(error));
        }
      }
      const int fd = file.fd;
      file.fd = -1;
      if (::close(fd) != 0) throw FileError(file.path, errno_text(errno));
    }
  } catch (...) {
    discard();
    throw;
  }
  prepared_ = true;
}

void OutputSet::rename_all() {
  prepare();
  for (std::size_t i = 0; i < files_.size(); ++i) {
    Pending& file = files_[i];
    if (::rename(file.temp_path.c_str(), file.path.c_str()) != 0) {
      const int error = errno;
      discard();
      if (i == 0) throw FileError(file.path, errno_text(error));
      std::vector<std::string> replaced;
      std::vector<std::string> kept;
      for (std::size_t k = 0; k < files_.size(); ++k) (k < i ? replaced : kept).push_back(files_[k].path);
      throw PartialReplacement(file.path, errno_text(error), std::move(replaced), std::move(kept));
    }
    file.renamed = true;
  }
}

void rewrite_file(const std::string& path, std::string_view bytes) {
  // The file a link leads to is the one replaced, in its own folder.
  char* const resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) throw FileError(path, errno_text(errno));
  const std::string target(resolved);
  std::free(resolved);
  struct stat info;
  if (::stat(target.c_str(), &info) != 0) throw FileError(path, errno_text(errno));
  if (!S_ISREG(info.st_mode)) throw FileError(path, kind_of_non_regular(info.st_mode));
  OutputSet set;
  const std::size_t index = set.add(target);
  set.write(index, bytes);
  set.set_mode(index, static_cast<unsigned>(info.st_mode & 07777));
  set.commit();
}

void replace_file(const std::string& path, std::string_view bytes) {
  FileReplacement replacement(path);
  replacement.write(bytes);
  replacement.commit();
}

}  // namespace platform
