#include <filesystem>
#include <ostream>

#include "driver/form1.h"
#include "platform/files.h"
#include "scenario/documents.h"
#include "scenario/line_description.h"
#include "scenario/train_description.h"
#include "tools/commands.h"

namespace tools {

int run_sources(const std::string& folder, std::ostream& out, std::ostream& err) {
  const std::string scenario_id = driver::kScenarioId;
  const std::string train_id = driver::kTrainId;
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  try {
    scenario::dati_linea(folder, scenario_id);
    scenario::dati_treno(folder, scenario_id, train_id);
    scenario::dati_note(folder, scenario_id, train_id);
    scenario::dati_rallentamenti(folder, scenario_id, train_id);
    scenario::dati_scheda(folder, scenario_id, train_id);
  } catch (const platform::FileError& error) {
    err << "scenario_tool: cannot write " << error.path() << ": " << error.reason() << '\n';
    return kExitStopped;
  }
  out << "wrote the five texts of " << scenario_id << " " << train_id << " into " << folder << '\n';
  return kExitClean;
}

}  // namespace tools
