#pragma once
// Finds the compiled files of one scenario in a folder and decodes them, so
// that a command can work on the model the simulator would get.

#include <optional>
#include <string>
#include <vector>

#include "formats/line_data_file.h"
#include "formats/scenario_file.h"
#include "model/model.h"

namespace tools {

// The decoded files of one scenario and where they were read from.
struct CompiledScenario {
  std::string scenario_id;  // Windows-1252, as in the file names
  std::string train_id;
  std::string route_path;
  std::string scenario_path;
  std::string line_data_path;
  std::vector<compiler::RouteCell> route;
  compiler::ScenarioTable table{};
  std::optional<compiler::LineData> line_data;  // none when the file is not there
};

// A decoded scenario, or why there is none and the exit status that goes
// with it.
struct LoadedScenario {
  std::optional<CompiledScenario> scenario;
  std::string error;
  int exit_status = 0;
};

// Reads S_T.sim and S_T.dat (both needed) and S_linea.dat (optional) from
// folder. Identifiers are Windows-1252; without them the folder must hold
// exactly one scenario file, whose entries 85 and 86 give them.
LoadedScenario load_compiled_scenario(const std::string& folder, const std::optional<std::string>& scenario_id,
                                      const std::optional<std::string>& train_id);

}  // namespace tools
