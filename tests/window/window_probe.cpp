// Drives the window layer for the window test: shows the wait window, waits
// for one line on standard input, then shows the message box and ends with
// status 2 once it is closed, as the program does after a stamping error.

#include <cstdio>
#include <iostream>
#include <string>

#include "platform/window.h"

int main() {
  auto window = platform::make_window();
  window->show_wait("Alvera_Monteluce", "Attendere");
  std::puts("wait window shown");
  std::fflush(stdout);
  std::string line;
  std::getline(std::cin, line);
  window->message_box(" Errore n. 1250");
  std::puts("message box closed");
  return 2;
}
