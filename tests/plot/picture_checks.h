#pragma once
// Helpers the plot tests share: the numbers of a path, the programs that
// render a picture, and running the authoring tool.

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace plot_test {

// Every number in an SVG path's data or transform, in order (the numbers
// this tool writes have no exponent).
inline std::vector<double> numbers_in(const std::string& path_data) {
  std::vector<double> numbers;
  std::string spaced;
  for (char c : path_data) spaced += std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' ? c : ' ';
  std::istringstream in(spaced);
  double value = 0;
  while (in >> value) numbers.push_back(value);
  return numbers;
}

// The full path of a program found on PATH.
inline std::optional<std::string> find_program(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return std::nullopt;
}

inline testing_support::ProgramRun run_tool(const std::vector<std::string>& arguments) {
  return testing_support::run_program(SCENARIO_TOOL_EXE, arguments);
}

// Width, height and number of distinct colours of a PNG, as ImageMagick
// reads them; empty when identify is not there or fails.
struct PngFacts {
  int width = 0;
  int height = 0;
  long colours = 0;
};

inline std::optional<PngFacts> png_facts(const std::string& png) {
  const auto identify = find_program("identify");
  if (!identify) return std::nullopt;
  const auto run = testing_support::run_program(*identify, {"-format", "%w %h %k", png});
  if (run.exit_status != 0) return std::nullopt;
  PngFacts facts;
  std::istringstream in(run.standard_output);
  if (!(in >> facts.width >> facts.height >> facts.colours)) return std::nullopt;
  return facts;
}

}  // namespace plot_test
