#pragma once
// The file operations the program needs, over the host file system.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// A file that could not be created, written, renamed or read. Carries the
// file's path and the system's reason, so that the message names both.
class FileError : public std::runtime_error {
 public:
  FileError(std::string path, std::string reason);
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

// The folder that holds the running program.
std::string program_folder();

// folder + "/" + name.
std::string join_path(const std::string& folder, const std::string& name);

bool file_exists(const std::string& path);

// The whole content of a file, or nothing when it does not exist.
// Throws FileError when it exists but cannot be read.
std::optional<std::string> read_file(const std::string& path);

// Removes a file if it is there; a missing file is not an error.
void delete_file(const std::string& path);

// Replaces path as a whole with bytes: the bytes go to a new temporary file
// in the same folder (created exclusively), which is then renamed over path.
// A reader sees either the old file or the whole new one, never a part; on
// failure the temporary file is removed, the old file stays as it was, and
// FileError is thrown.
void replace_file(const std::string& path, std::string_view bytes);

// The same replacement for bytes that come a piece at a time, so that a
// large file never has to be held whole in memory. The temporary file is
// created at construction; commit() closes it and renames it over path.
// Destroyed without a commit (a failure on the way), it removes the
// temporary file and leaves the old file as it was. Every step throws
// FileError naming path.
class FileReplacement {
 public:
  explicit FileReplacement(std::string path);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  void write(std::string_view bytes);
  void commit();

 private:
  std::string path_;
  std::string temp_path_;
  int fd_ = -1;
  bool committed_ = false;
};

}  // namespace platform
