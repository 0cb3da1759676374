#pragma once
// The run driver: the one pass of the program from the wait window to the
// compiled files.

#include <string>

#include "platform/window.h"

namespace driver {

class Form1 {
 public:
  // folder: where every file of the run goes (the program's own folder).
  Form1(platform::Window& window, std::string folder) : window_(window), folder_(std::move(folder)) {}

  // Runs the whole sequence once. Returns the process exit status: 0 clean,
  // 1 files written with a recorded error kind, 2 stopped without output,
  // 3 the compiled set only partly replaced (the message says which files).
  int run();

  // The run's steps, in order. The first five each write one text of the
  // embedded scenario; run() writes all five through scenario::write_texts,
  // the one sequence that scenario_tool sources uses too.
  void dati_linea();
  void dati_treno();
  void dati_note();
  void dati_rallentamenti();
  void dati_scheda();
  int memorizza_percorso(std::int32_t j);

  const std::string& scenario_id() const { return scenario_id_; }
  const std::string& train_id() const { return train_id_; }

 private:
  platform::Window& window_;
  std::string folder_;
  std::string scenario_id_;
  std::string train_id_;
};

}  // namespace driver
