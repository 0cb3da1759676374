// The baseline of the whole-process measurement: a process that does nothing
// but write a given set of files, byte for byte, into a folder. Each file is
// read from a stash of an earlier run's outputs and written with one
// create-truncate, one write and one close.
//
//   write_same_bytes STASH_FOLDER TARGET_FOLDER

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool read_whole(const std::string& path, std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  ::close(fd);
  return done == bytes.size();
}

bool write_whole(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put <= 0) break;
    done += static_cast<std::size_t>(put);
  }
  return ::close(fd) == 0 && done == bytes.size();
}

std::vector<std::string> file_names(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: write_same_bytes STASH_FOLDER TARGET_FOLDER\n", stderr);
    return 2;
  }
  const std::string stash = argv[1];
  const std::string target = argv[2];
  std::string bytes;
  for (const std::string& name : file_names(stash)) {
    if (!read_whole(stash + "/" + name, bytes) || !write_whole(target + "/" + name, bytes)) {
      std::fprintf(stderr, "write_same_bytes: cannot copy %s\n", name.c_str());
      return 1;
    }
  }
  return 0;
}
