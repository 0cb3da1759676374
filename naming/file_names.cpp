#include "naming/file_names.h"

namespace naming {
namespace {

std::string_view base_name(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool ends_with(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

std::optional<std::string> scenario_id_from_line_name(std::string_view line_path) {
  const std::string_view name = base_name(line_path);
  if (!ends_with(name, kLineDescriptionEnd)) return std::nullopt;
  return std::string(name.substr(0, name.size() - kLineDescriptionEnd.size()));
}

std::optional<std::string> train_id_from_train_name(std::string_view train_path, std::string_view scenario_id) {
  const std::string_view name = base_name(train_path);
  const std::string start = std::string(scenario_id) + "_";
  if (name.size() < start.size() + kTrainDescriptionEnd.size() || name.substr(0, start.size()) != start ||
      !ends_with(name, kTrainDescriptionEnd)) {
    return std::nullopt;
  }
  return std::string(name.substr(start.size(), name.size() - start.size() - kTrainDescriptionEnd.size()));
}

std::optional<CompiledFileName> compiled_file_name(std::string_view path) {
  const std::string_view name = base_name(path);
  const struct {
    std::string_view end;
    CompiledFile kind;
  } kEnds[] = {
      {kLineDataEnd, CompiledFile::kLineData},
      {kScenarioFileEnd, CompiledFile::kScenario},
      {kRouteFileEnd, CompiledFile::kRoute},
  };
  for (const auto& [end, kind] : kEnds) {
    if (ends_with(name, end)) return CompiledFileName{kind, std::string(name.substr(0, name.size() - end.size()))};
  }
  return std::nullopt;
}

}  // namespace naming
