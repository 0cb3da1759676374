#include <filesystem>
#include <memory>
#include <ostream>

#include "platform/files.h"
#include "scenario/embedded_scenario.h"
#include "tools/command.h"
#include "tools/commands.h"

namespace tools {

int run_sources(const std::string& folder, std::ostream& out, std::ostream& err) {
  const std::string scenario_id = scenario::kScenarioId;
  const std::string train_id = scenario::kTrainId;
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  try {
    scenario::write_texts(folder, scenario_id, train_id);
  } catch (const platform::FileError& error) {
    err << "scenario_tool: cannot write " << error.path() << ": " << error.reason() << '\n';
    return kExitStopped;
  }
  out << "wrote the five texts of " << scenario_id << " " << train_id << " into " << folder << '\n';
  return kExitClean;
}

// The command line of `scenario_tool sources`.
Command sources_command() {
  return {"sources", "Write the five embedded texts into DIR, as the program writes them.", [](CLI::App& command) {
            auto folder = std::make_shared<std::string>();
            command.add_option("DIR", *folder, "Folder to write into")->required();
            return CommandRunner([folder](std::ostream& out, std::ostream& err) {
              return run_sources(*folder, out, err);
            });
          }};
}

}  // namespace tools
