#include "tools/compiled_scenario.h"

#include <algorithm>
#include <filesystem>

#include "compiler/codes.h"
#include "formats/route_file.h"
#include "model/rounding.h"
#include "naming/file_names.h"
#include "naming/identifiers.h"
#include "platform/files.h"
#include "tools/commands.h"

namespace tools {
namespace {

LoadedScenario failure(int exit_status, std::string error) { return {std::nullopt, std::move(error), exit_status}; }

// Names of the scenario files (S_T.sim) in folder, sorted.
std::vector<std::string> scenario_file_names(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = item.path().filename().string();
    const auto file = naming::compiled_file_name(name);
    if (file && file->kind == naming::CompiledFile::kScenario && !file->stem.empty()) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The bytes of a file, or why they cannot be had.
struct FileBytes {
  std::optional<std::string> bytes;
  std::string error;
};

FileBytes read_bytes(const std::string& path, std::uint64_t limit) {
  try {
    auto bytes = platform::read_file(path, limit);
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
  FileBytes file = read_bytes(path, compiler::kMaxScenarioFileBytes);
  if (!file.bytes) return failure(kExitStopped, file.error);
  auto table = compiler::decode_scenario_file(*file.bytes);
  if (!table.ok()) return failure(kExitStopped, path + ": " + table.error);
  CompiledScenario scenario;
  scenario.scenario_id = table.value[compiler::kScenarioHeaderEntry].text;
  scenario.train_id = table.value[compiler::kTrainIdEntry].text;
  if (naming::scenario_file_name(scenario.scenario_id, scenario.train_id) != names[0]) {
    return failure(kExitUsage, path + ": its name does not follow from the identifiers it holds; give "
                                      "--scenario-id and --train-id");
  }
  return {std::move(scenario), {}, kExitClean};
}

// Why the decoded files cannot be the set of one compile, or empty when they
// can: the scenario file must hold the identifiers its name was built from
// and the table_code they give, the route file the route_code they give, and
// the line data file exactly the metres of the route's length.
std::string mixed_set_problem(const CompiledScenario& scenario) {
  const compiler::ScenarioEntry& header = scenario.table[compiler::kScenarioHeaderEntry];
  const std::string& train_text = scenario.table[compiler::kTrainIdEntry].text;
  const std::string& scenario_text = header.text;
  if (scenario_text != scenario.scenario_id || train_text != scenario.train_id) {
    return scenario.scenario_path + " holds the identifiers " + naming::windows1252_to_utf8(scenario_text) + " and " +
           naming::windows1252_to_utf8(train_text) + ", not those of its name";
  }
  const std::int32_t table_code = compiler::table_code(train_text, scenario_text);
  if (header.seconds != table_code) {
    return scenario.scenario_path + " carries table_code " + std::to_string(header.seconds) +
           " where its identifiers give " + std::to_string(table_code);
  }
  const std::int16_t route_code = compiler::route_code(train_text, scenario_text);
  if (scenario.route.size() < 2 || scenario.route[1].param2 != route_code) {
    return scenario.route_path + " does not carry the route_code " + std::to_string(route_code) +
           " of the scenario's identifiers";
  }
  if (scenario.line_data) {
    const std::size_t metres = scenario.line_data->x.size();
    const auto cells = static_cast<std::size_t>(compiler::round_div(static_cast<std::int64_t>(metres) - 1, 50)) + 1;
    if (cells != scenario.route.size()) {
      return scenario.line_data_path + " holds a track of " + std::to_string(metres - 1) + " m, which gives " +
             std::to_string(cells) + " route cells, but " + scenario.route_path + " holds " +
             std::to_string(scenario.route.size());
    }
  }
  return {};
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
      platform::join_path(folder, naming::scenario_file_name(scenario.scenario_id, scenario.train_id));
  scenario.route_path = platform::join_path(folder, naming::route_file_name(scenario.scenario_id, scenario.train_id));
  scenario.line_data_path = platform::join_path(folder, naming::line_data_name(scenario.scenario_id));

  FileBytes table_file = read_bytes(scenario.scenario_path, compiler::kMaxScenarioFileBytes);
  if (!table_file.bytes) return failure(kExitStopped, table_file.error);
  auto table = compiler::decode_scenario_file(*table_file.bytes);
  if (!table.ok()) return failure(kExitStopped, scenario.scenario_path + ": " + table.error);
  scenario.table = std::move(table.value);

  FileBytes route_file = read_bytes(scenario.route_path, compiler::kMaxRouteFileBytes);
  if (!route_file.bytes) return failure(kExitStopped, route_file.error);
  auto route = compiler::decode_route_file(*route_file.bytes);
  if (!route.ok()) return failure(kExitStopped, scenario.route_path + ": " + route.error);
  scenario.route = std::move(route.value);

  // Anything under the name counts as there: a FIFO or a folder is refused
  // by the read, not taken for a missing file.
  if (std::filesystem::exists(scenario.line_data_path, error)) {
    FileBytes plan_file = read_bytes(scenario.line_data_path, compiler::kMaxLineDataFileBytes);
    if (!plan_file.bytes) return failure(kExitStopped, plan_file.error);
    auto plan = compiler::decode_line_data_file(*plan_file.bytes);
    if (!plan.ok()) return failure(kExitStopped, scenario.line_data_path + ": " + plan.error);
    scenario.line_data = std::move(plan.value);
  }
  if (std::string problem = mixed_set_problem(scenario); !problem.empty()) {
    return failure(kExitStopped, folder + ": the compiled files do not belong together: " + problem +
                                     "; compile the scenario again");
  }
  return {std::move(scenario), {}, kExitClean};
}

}  // namespace tools
