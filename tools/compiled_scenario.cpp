#include "tools/compiled_scenario.h"

#include <algorithm>
#include <filesystem>

#include "compiler/route_file.h"
#include "driver/file_names.h"
#include "platform/files.h"
#include "tools/commands.h"

namespace tools {
namespace {

LoadedScenario failure(int exit_status, std::string error) { return {std::nullopt, std::move(error), exit_status}; }

// Names of the scenario files (*.sim) in folder, sorted.
std::vector<std::string> scenario_file_names(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = item.path().filename().string();
    if (name.size() > 4 && name.ends_with(".sim")) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The bytes of a file, or why they cannot be had.
struct FileBytes {
  std::optional<std::string> bytes;
  std::string error;
};

FileBytes read_bytes(const std::string& path) {
  try {
    auto bytes = platform::read_file(path);
    if (!bytes) return {std::nullopt, path + ": no such file"};
    return {std::move(bytes), {}};
  } catch (const platform::FileError& error) {
    return {std::nullopt, path + ": " + error.reason()};
  }
}

std::string quoted_list(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return list;
}

// The identifiers of the only scenario file in folder, from its entries 85
// and 86, checked against its name.
LoadedScenario identify_only_scenario(const std::string& folder) {
  const std::vector<std::string> names = scenario_file_names(folder);
  if (names.empty()) return failure(kExitStopped, folder + ": no scenario file (S_T.sim) in this folder");
  if (names.size() > 1) {
    return failure(kExitUsage, folder + " holds several scenarios (" + quoted_list(names) +
                                   "); give --scenario-id and --train-id");
  }
  const std::string path = platform::join_path(folder, names[0]);
  FileBytes file = read_bytes(path);
  if (!file.bytes) return failure(kExitStopped, file.error);
  auto table = compiler::decode_scenario_file(*file.bytes);
  if (!table.ok()) return failure(kExitStopped, path + ": " + table.error);
  CompiledScenario scenario;
  scenario.scenario_id = table.value[compiler::kScenarioHeaderEntry].text;
  scenario.train_id = table.value[compiler::kTrainIdEntry].text;
  if (driver::scenario_file_name(scenario.scenario_id, scenario.train_id) != names[0]) {
    return failure(kExitUsage, path + ": its name does not follow from the identifiers it holds; give "
                                      "--scenario-id and --train-id");
  }
  return {std::move(scenario), {}, kExitClean};
}

}  // namespace

LoadedScenario load_compiled_scenario(const std::string& folder, const std::optional<std::string>& scenario_id,
                                      const std::optional<std::string>& train_id) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return failure(kExitStopped, folder + ": no such folder");

  CompiledScenario scenario;
  if (scenario_id && train_id) {
    scenario.scenario_id = *scenario_id;
    scenario.train_id = *train_id;
  } else {
    LoadedScenario only = identify_only_scenario(folder);
    if (!only.scenario) return only;
    scenario = std::move(*only.scenario);
  }
  scenario.scenario_path =
      platform::join_path(folder, driver::scenario_file_name(scenario.scenario_id, scenario.train_id));
  scenario.route_path = platform::join_path(folder, driver::route_file_name(scenario.scenario_id, scenario.train_id));
  scenario.line_data_path = platform::join_path(folder, driver::line_data_name(scenario.scenario_id));

  FileBytes table_file = read_bytes(scenario.scenario_path);
  if (!table_file.bytes) return failure(kExitStopped, table_file.error);
  auto table = compiler::decode_scenario_file(*table_file.bytes);
  if (!table.ok()) return failure(kExitStopped, scenario.scenario_path + ": " + table.error);
  scenario.table = std::move(table.value);

  FileBytes route_file = read_bytes(scenario.route_path);
  if (!route_file.bytes) return failure(kExitStopped, route_file.error);
  auto route = compiler::decode_route_file(*route_file.bytes);
  if (!route.ok()) return failure(kExitStopped, scenario.route_path + ": " + route.error);
  scenario.route = std::move(route.value);

  if (platform::file_exists(scenario.line_data_path)) {
    FileBytes plan_file = read_bytes(scenario.line_data_path);
    if (!plan_file.bytes) return failure(kExitStopped, plan_file.error);
    auto plan = compiler::decode_line_data_file(*plan_file.bytes);
    if (!plan.ok()) return failure(kExitStopped, scenario.line_data_path + ": " + plan.error);
    scenario.line_data = std::move(plan.value);
  }
  return {std::move(scenario), {}, kExitClean};
}

}  // namespace tools
