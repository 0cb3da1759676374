#pragma once
// The whole picture of one compiled scenario: a title, the plan view when
// there is a track plan (else a note that says why not) and the profile.

#include <string>

#include "tools/compiled_scenario.h"

namespace tools {

// The SVG text of a picture, or why none could be drawn.
struct Picture {
  std::string svg;
  std::string error;  // why no picture could be drawn; svg is then empty
  bool ok() const { return error.empty(); }
};

Picture scenario_picture(const CompiledScenario& scenario);

}  // namespace tools
