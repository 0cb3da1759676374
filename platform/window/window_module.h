#pragma once
// What the program and a window backend module agree on. The module is a
// shared object opened with dlopen; it exports one C function under this
// name, which opens the display and returns a window on it, or nullptr when
// no display can be opened. The caller owns the window. The module stays
// loaded until the process ends.

#include "platform/window.h"

namespace platform {

using OpenWindowFunction = Window* (*)();
inline constexpr const char* kOpenWindowSymbol = "scenario_window_open";

}  // namespace platform
