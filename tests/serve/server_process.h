#pragma once
// `scenario_tool serve` as a child process for the tests: started in a
// folder, its first line read, plain HTTP requests over a socket, and
// Ctrl-C at the end.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace serve_test {

struct HttpReply {
  int status = 0;  // 0: no reply
  std::string headers;
  std::string body;
};

// Reads from fd until `done` holds for what was read, end of file or the deadline.
template <typename Done>
std::string read_until(int fd, std::chrono::milliseconds timeout, Done done) {
  std::string text;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done(text)) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0) break;
    char buffer[65536];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

inline int connect_to(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// One request, sent as written (no path is cleaned on the way), with the
// given Host header (none when empty); the reply read to the end.
inline HttpReply request(int port, const std::string& method, const std::string& target, const std::string& host,
                         const std::string& extra_headers = {}) {
  HttpReply reply;
  const int fd = connect_to(port);
  if (fd < 0) return reply;
  std::string text = method + " " + target + " HTTP/1.1\r\n";
  if (!host.empty()) text += "Host: " + host + "\r\n";
  text += extra_headers;
  text += "Connection: close\r\n\r\n";
  if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    ::close(fd);
    return reply;
  }
  const std::string raw = read_until(fd, std::chrono::seconds(10), [](const std::string&) { return false; });
  ::close(fd);
  const auto header_end = raw.find("\r\n\r\n");
  if (raw.rfind("HTTP/1.1 ", 0) != 0 || header_end == std::string::npos) return reply;
  reply.status = std::stoi(raw.substr(9, 3));
  reply.headers = raw.substr(0, header_end);
  reply.body = raw.substr(header_end + 4);
  return reply;
}

class ServerProcess {
 public:
  ServerProcess(const std::vector<std::string>& arguments, const std::string& folder) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      if (::chdir(folder.c_str()) != 0) ::_exit(127);
      std::vector<char*> argv;
      std::string program = SCENARIO_TOOL_EXE;
      argv.push_back(program.data());
      std::vector<std::string> copies = arguments;
      for (std::string& argument : copies) argv.push_back(argument.data());
      argv.push_back(nullptr);
      ::execv(program.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    out_ = out[0];
    first_line_ = read_until(out_, std::chrono::seconds(20),
                             [](const std::string& text) { return text.find('\n') != std::string::npos; });
    std::smatch match;
    if (std::regex_match(first_line_, match, std::regex("serving http://127\\.0\\.0\\.1:([0-9]+)/\n"))) {
      port_ = std::stoi(match[1]);
    }
  }
  ~ServerProcess() {
    stop();
    if (out_ >= 0) ::close(out_);
  }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  const std::string& first_line() const { return first_line_; }
  int port() const { return port_; }
  std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
  HttpReply get(const std::string& target) const { return request(port_, "GET", target, host()); }

  // Ctrl-C (or the signal given), then the exit status (-1 when it did not
  // exit by itself within ten seconds and had to be killed).
  int stop(int signal = SIGINT) {
    if (pid_ <= 0) return exit_status_;
    ::kill(pid_, signal);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return exit_status_ = -1;
      }
      ::usleep(5000);
    }
    pid_ = -1;
    exit_status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return exit_status_;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int port_ = 0;
  int exit_status_ = -1;
  std::string first_line_;
};

}  // namespace serve_test
