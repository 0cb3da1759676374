// Runs one command as a child process and prints its whole-process wall
// time and CPU time (user + system), both in microseconds:
//
//   process_time [-C FOLDER] COMMAND [ARGUMENT...]   ->   "WALL_US CPU_US"
//
// The command's standard output and error are discarded; its exit status
// is passed on. CPU time comes from the kernel's accounting of the child,
// so it stays meaningful when other processes share the cores.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

long long microseconds(const timespec& t) { return t.tv_sec * 1'000'000LL + t.tv_nsec / 1000; }
long long microseconds(const timeval& t) { return t.tv_sec * 1'000'000LL + t.tv_usec; }

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const char* folder = nullptr;
  if (argc > 2 && std::strcmp(argv[1], "-C") == 0) {
    folder = argv[2];
    first = 3;
  }
  if (first >= argc) {
    std::fputs("usage: process_time [-C FOLDER] COMMAND [ARGUMENT...]\n", stderr);
    return 2;
  }
  timespec start;
  timespec stop;
  clock_gettime(CLOCK_MONOTONIC, &start);
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    if (folder != nullptr && chdir(folder) != 0) _exit(127);
    execvp(argv[first], argv + first);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  clock_gettime(CLOCK_MONOTONIC, &stop);
  std::printf("%lld %lld\n", microseconds(stop) - microseconds(start),
              microseconds(usage.ru_utime) + microseconds(usage.ru_stime));
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
