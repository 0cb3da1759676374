#include <cstdio>
#include <string>

#include "platform/window.h"

namespace platform {
namespace {

class ConsoleWindow final : public Window {
 public:
  void show_wait(std::string_view, std::string_view label) override { print_line(label); }
  void message_box(std::string_view prompt) override { print_line(prompt); }

 private:
  static void print_line(std::string_view text) {
    std::string line(text);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
  }
};

}  // namespace

std::unique_ptr<Window> make_console_window() { return std::make_unique<ConsoleWindow>(); }

}  // namespace platform
