#pragma once
// The file operations the program needs, over the host file system.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

// A set of files whose renaming into place stopped part-way: the files in
// replaced are new, the ones in kept are as they were (old, or absent). The
// path and reason are those of the rename that failed.
class PartialReplacement : public FileError {
 public:
  PartialReplacement(std::string path, std::string reason, std::vector<std::string> replaced,
                     std::vector<std::string> kept);
  const std::vector<std::string>& replaced() const { return replaced_; }
  const std::vector<std::string>& kept() const { return kept_; }

 private:
  std::vector<std::string> replaced_;
  std::vector<std::string> kept_;
};

// The folder that holds the running program.
std::string program_folder();

// folder + "/" + name.
std::string join_path(const std::string& folder, const std::string& name);

bool file_exists(const std::string& path);

// The largest input file read by default: far more than any real
// description (a 1,000,000 m line with dense records is a few MB).
inline constexpr std::uint64_t kMaxInputBytes = 64ull * 1024 * 1024;

// The whole content of a file, or nothing when it does not exist.
// The file is opened without blocking (a FIFO or a device never stalls the
// open) and must be a regular file of at most limit bytes; that is checked
// before anything is read or allocated. Throws FileError when the file
// exists but is not a regular file, is larger than limit (the reason gives
// both sizes), cannot be read, or does not fit into memory.
std::optional<std::string> read_file(const std::string& path, std::uint64_t limit = kMaxInputBytes);

// Removes a file if it is there; a missing file is not an error.
void delete_file(const std::string& path);

// Files that replace their old versions together. Each file's bytes go to
// a temporary file of its own in the target's folder: unnamed (O_TMPFILE)
// where the file system allows it, so that a killed run leaves nothing
// behind, otherwise under a short hidden name of our own pattern. Before the
// first temporary is created in a folder, stale temporaries of that pattern
// left by runs that were killed are removed. commit() names the
// temporaries, checks that each target can take its new file, and only
// then renames them into place one after the other.
//
// Any failure up to the first rename throws FileError: every target is as
// it was and no temporary remains. A rename that fails after others have
// succeeded throws PartialReplacement, which says which files are new.
// Destroyed without a commit, the set removes its temporaries.
class OutputSet {
 public:
  // named_temporaries: never use unnamed temporaries (as on a file system
  // without O_TMPFILE).
  explicit OutputSet(bool named_temporaries = false);
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  // Starts the temporary file of the next target; returns its index.
  std::size_t add(const std::string& path);
  void write(std::size_t index, std::string_view bytes);
  // Gives the temporary of index these permission bits (07777 at most)
  // instead of the usual 0644 less the umask.
  void set_mode(std::size_t index, unsigned mode);

  // The two steps of commit(), apart so that what can go wrong between
  // them can be shown. prepare() names and closes every temporary and
  // checks the targets; rename_all() renames the prepared files in the
  // order they were added.
  void prepare();
  void rename_all();
  void commit() {
    prepare();
    rename_all();
  }

 private:
  struct Pending {
    std::string path;
    std::string temp_path;  // empty while the temporary is unnamed
    int fd = -1;
    bool renamed = false;
  };
  // Closes and removes every temporary not yet renamed.
  void discard();

  std::vector<Pending> files_;
  bool named_temporaries_;
  bool prepared_ = false;
};

// Replaces path as a whole with bytes, as a set of one file: a reader sees
// either the old file or the whole new one, never a part; on failure the old
// file stays as it was and FileError is thrown.
void replace_file(const std::string& path, std::string_view bytes);

// Replaces the regular file at path as a whole with bytes in the same way,
// keeping its permission bits; a symbolic link stays a link, and the file
// it leads to is replaced. Throws FileError when path is missing, is not a
// regular file, or cannot be replaced.
void rewrite_file(const std::string& path, std::string_view bytes);

// The same replacement for bytes that come a piece at a time, so that a
// large file never has to be held whole in memory. Destroyed without a
// commit (a failure on the way), it leaves the old file as it was. Every
// step throws FileError naming path.
class FileReplacement {
 public:
  explicit FileReplacement(std::string path) { set_.add(path); }

  void write(std::string_view bytes) { set_.write(0, bytes); }
  void commit() { set_.commit(); }

 private:
  OutputSet set_;
};

// The hidden name pattern of named temporaries: ".scenario-tmp-PID-NUMBER".
inline constexpr std::string_view kTemporaryPrefix = ".scenario-tmp-";

}  // namespace platform
