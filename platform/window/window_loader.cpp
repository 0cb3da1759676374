// Chooses the window of a run. The real window lives in a module of its own
// (FLTK over X11) that is opened only when there is a display to show it on:
// a run without a display never loads the toolkit, X11 or the fonts, whose
// loading and symbol binding would cost more than the whole compile. When
// the module is missing or cannot open the display, the run uses the
// console.

#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/window.h"
#include "platform/window/window_module.h"

namespace platform {
namespace {

#ifdef SCENARIO_WINDOW_MODULE
// Where the module is looked for: beside the program (the build folder), then
// the installed module folder relative to the program's.
Window* open_module_window() {
  const std::string folder = program_folder();
  const std::string candidates[] = {
      join_path(folder, SCENARIO_WINDOW_MODULE),
      join_path(join_path(folder, SCENARIO_WINDOW_MODULE_INSTALL_DIR), SCENARIO_WINDOW_MODULE),
  };
  for (const std::string& path : candidates) {
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) continue;
    const auto open = reinterpret_cast<OpenWindowFunction>(::dlsym(module, kOpenWindowSymbol));
    if (open == nullptr) {
      ::dlclose(module);
      continue;
    }
    // The module stays loaded: the window's code lives in it.
    return open();
  }
  return nullptr;
}
#endif

}  // namespace

std::unique_ptr<Window> make_window() {
#ifdef SCENARIO_WINDOW_MODULE
  // Without DISPLAY no X display can be opened, so the module is not even
  // looked for.
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0') {
    if (Window* window = open_module_window()) return std::unique_ptr<Window>(window);
  }
#endif
  return make_console_window();
}

}  // namespace platform
