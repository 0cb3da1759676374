// The one-shot program: no input; writes the embedded scenario's texts into
// its own folder, compiles them and ends.

#include "driver/form1.h"
#include "platform/files.h"
#include "platform/window.h"

int main() {
  auto window = platform::make_window();
  driver::Form1 form(*window, platform::program_folder());
  return form.run();
}
