#pragma once
// What the run needs of a window system: a wait window shown once, and a
// modal message box. The program binds this to a real backend; tests and
// headless runs use the console.

#include <memory>
#include <string_view>

namespace platform {

class Window {
 public:
  virtual ~Window() = default;
  // Shows the wait window with its one label and draws it once; it is not
  // serviced again and goes away when the process ends.
  virtual void show_wait(std::string_view title, std::string_view label) = 0;
  // Shows a modal box with the prompt and one OK button; returns when closed.
  virtual void message_box(std::string_view prompt) = 0;
};

// The console stand-in: the label and every prompt become lines on
// standard error, without waiting.
std::unique_ptr<Window> make_console_window();

// The best window this process can have: a real one when a display can be
// opened and the program was built with a toolkit, else the console.
std::unique_ptr<Window> make_window();

}  // namespace platform
