#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace platform {

FileError::FileError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason), path_(std::move(path)), reason_(std::move(reason)) {}

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

// Creates a new temporary file beside target, never reusing an existing name.
int create_temporary(const std::string& target, std::string& temp_path) {
  static std::mt19937_64 generator{std::random_device{}()};
  const std::string base = folder_of(target) + "/." + std::filesystem::path(target).filename().string();
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = base + ".tmp" + std::to_string(generator() % 1000000000ULL);
    int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
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

std::optional<std::string> read_file(const std::string& path) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw FileError(path, errno_text(errno));
  }
  struct stat info;
  if (::fstat(fd.get(), &info) != 0) throw FileError(path, errno_text(errno));
  if (!S_ISREG(info.st_mode)) throw FileError(path, "not a regular file");
  std::string content;
  content.reserve(static_cast<std::size_t>(info.st_size));
  char block[65536];
  for (;;) {
    ssize_t got = ::read(fd.get(), block, sizeof block);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw FileError(path, errno_text(errno));
    }
    if (got == 0) break;
    content.append(block, static_cast<std::size_t>(got));
  }
  return content;
}

void delete_file(const std::string& path) { ::unlink(path.c_str()); }

void replace_file(const std::string& path, std::string_view bytes) {
  FileReplacement replacement(path);
  replacement.write(bytes);
  replacement.commit();
}

FileReplacement::FileReplacement(std::string path) : path_(std::move(path)) {
  fd_ = create_temporary(path_, temp_path_);
  if (fd_ < 0) throw FileError(path_, errno_text(errno));
}

FileReplacement::~FileReplacement() {
  if (committed_) return;
  if (fd_ >= 0) ::close(fd_);
  ::unlink(temp_path_.c_str());
}

void FileReplacement::write(std::string_view bytes) { write_all(fd_, bytes, path_); }

void FileReplacement::commit() {
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw FileError(path_, errno_text(errno));
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) throw FileError(path_, errno_text(errno));
  committed_ = true;
}

}  // namespace platform
