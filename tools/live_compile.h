#pragma once
// One compile of two description files in memory, as `compile` does it up
// to the stamping, without writing any file, and the diagnostics of the
// check of the same bytes, as the JSON objects `check --format json` prints.

#include <nlohmann/json.hpp>

#include <memory>
#include <string>

#include "model/model.h"

namespace tools {

struct LiveCompileRequest {
  std::string line_path;
  std::string train_path;
  std::string scenario_id;  // Windows-1252
  std::string train_id;     // Windows-1252
  bool no_plan = false;
};

struct LiveCompile {
  // The compiled and stamped model; none when no route was compiled.
  std::unique_ptr<compiler::CompiledModel> model;
  // Every diagnostic of the check, as `check --format json` gives it.
  nlohmann::json diagnostics = nlohmann::json::array();
  // For each diagnostic, its place on the line in metres, or null.
  nlohmann::json positions = nlohmann::json::array();
  int errors = 0;
};

LiveCompile compile_live(const LiveCompileRequest& request);

}  // namespace tools
