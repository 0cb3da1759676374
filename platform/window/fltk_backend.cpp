// The real window: FLTK over X11, built as a module that the program opens
// with dlopen only when a display is there (platform/window/window_module.h).

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xlib.h>

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/window.h"
#include "platform/window/window_module.h"

namespace platform {
namespace {

// Pixels at 15 twips a pixel, and points at 96 pixels an inch.
constexpr int kWaitWidth = 280;
constexpr int kWaitHeight = 179;
constexpr int kLabelLeft = 64;
constexpr int kLabelTop = 64;
constexpr int kLabelWidth = 177;
constexpr int kLabelHeight = 53;
constexpr int kLabelFontPixels = 24 * 96 / 72;

// The caption a message box gets when the program gives it none: the
// program's own name.
std::string default_caption() {
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "scenario_compiler";
  std::string full(path, static_cast<std::size_t>(n));
  return full.substr(full.rfind('/') + 1);
}

// Opens the display once and hands the connection to FLTK. Closing a test
// connection and letting FLTK open its own could meet a server that resets
// when its last client leaves.
bool open_display() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  fl_open_display(display);
  return true;
}

// A window that knows whether it has been drawn on the screen yet.
class DrawnOnceWindow : public Fl_Window {
 public:
  using Fl_Window::Fl_Window;
  bool drawn() const { return drawn_; }

 protected:
  void draw() override {
    Fl_Window::draw();
    drawn_ = true;
  }

 private:
  bool drawn_ = false;
};

class FltkWindow final : public Window {
 public:
  void show_wait(std::string_view title, std::string_view label) override {
    title_ = std::string(title);
    label_ = std::string(label);
    wait_ = std::make_unique<DrawnOnceWindow>(kWaitWidth, kWaitHeight, title_.c_str());
    auto* box = new Fl_Box(kLabelLeft, kLabelTop, kLabelWidth, kLabelHeight, label_.c_str());
    box->labelfont(FL_HELVETICA_BOLD);
    box->labelsize(kLabelFontPixels);
    box->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    wait_->end();
    wait_->show();
    // Service the window until its first expose has been drawn, so that it
    // really is on the screen; it is not serviced again while the work runs.
    // The time limit keeps a display that never exposes from holding the run.
    for (int round = 0; round < 100 && !wait_->drawn(); ++round) Fl::wait(0.02);
    Fl::flush();
    XSync(fl_display, False);
  }

  void message_box(std::string_view prompt) override {
    prompt_ = std::string(prompt);
    caption_ = default_caption();
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    const int text_width = static_cast<int>(fl_width(prompt_.c_str()));
    const int width = std::max(200, text_width + 60);
    Fl_Window box(width, 110, caption_.c_str());
    auto* text = new Fl_Box(20, 15, width - 40, 40, prompt_.c_str());
    text->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    auto* ok = new Fl_Return_Button(width / 2 - 40, 65, 80, 28, "OK");
    ok->callback([](Fl_Widget* button, void*) { button->window()->hide(); });
    box.end();
    box.set_modal();
    box.show();
    while (box.shown()) Fl::wait();
  }

 private:
  std::unique_ptr<DrawnOnceWindow> wait_;
  std::string title_, label_, prompt_, caption_;
};

}  // namespace

}  // namespace platform

// The module's entry point; its name is platform::kOpenWindowSymbol.
extern "C" __attribute__((visibility("default"))) platform::Window* scenario_window_open() {
  if (!platform::open_display()) return nullptr;
  return new platform::FltkWindow();
}
