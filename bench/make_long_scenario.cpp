// Writes the generated scenario's two description files into a folder,
// named by the naming rule, so that `scenario_tool compile` can read them.
//
//   make_long_scenario FOLDER [LINE_LENGTH]   (metres, default 1000000)

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "bench/long_scenario.h"
#include "naming/file_names.h"
#include "platform/files.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: make_long_scenario FOLDER [LINE_LENGTH]\n";
    return 2;
  }
  const std::string folder = argv[1];
  const std::int32_t line_length = argc == 3 ? std::atoi(argv[2]) : bench::kLongestLine;
  const std::string scenario_id = bench::kGeneratedScenarioId;
  const std::string train_id = bench::kGeneratedTrainId;
  try {
    const bench::GeneratedScenario scenario = bench::generate_scenario(line_length);
    const std::string line_path = platform::join_path(folder, naming::line_description_name(scenario_id));
    const std::string train_path = platform::join_path(folder, naming::train_description_name(scenario_id, train_id));
    platform::replace_file(line_path, scenario.line_description);
    platform::replace_file(train_path, scenario.train_description);
    std::cout << line_path << '\n' << train_path << '\n';
  } catch (const std::exception& error) {
    std::cerr << "make_long_scenario: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
