#pragma once
// One reading of two description files in memory, without writing any
// file: the check's pass, which gives the compiled and stamped model and
// every diagnostic, as the JSON objects `check --format json` prints.

#include <nlohmann/json.hpp>

#include <memory>
#include <string>

#include "model/model.h"

namespace tools {

struct LiveCompileRequest {
  std::string line_path;   // as the author named the files, for the diagnostics
  std::string train_path;
  std::string scenario_id;  // Windows-1252
  std::string train_id;     // Windows-1252
  bool no_plan = false;
  // Where the files are read, when not from the paths above: absolute paths
  // taken at the start, so that the files are found again after their
  // folder (the working folder, say) was removed and made anew.
  std::string line_file;
  std::string train_file;
};

struct LiveCompile {
  // The compiled model, stamped unless a stamping error stopped it; none
  // when no route was compiled.
  std::unique_ptr<compiler::CompiledModel> model;
  // Every diagnostic of the check, as `check --format json` gives it.
  nlohmann::json diagnostics = nlohmann::json::array();
  // For each diagnostic, its place on the line in metres, or null.
  nlohmann::json positions = nlohmann::json::array();
  int errors = 0;
};

LiveCompile compile_live(const LiveCompileRequest& request);

}  // namespace tools
