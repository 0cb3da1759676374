#include "platform/window.h"

namespace platform {

std::unique_ptr<Window> make_window() { return make_console_window(); }

}  // namespace platform
