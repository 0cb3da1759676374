#pragma once
// Small models for the output tests.

#include <initializer_list>
#include <string>

#include "model/model.h"

namespace output_test {

inline std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int value : values) out.push_back(static_cast<char>(value));
  return out;
}

// The shape of the embedded scenario's model where the stamps land: a
// 97000 m line (cells 0 .. 2080), the identifiers in entries 85 and 86,
// value3 of entry 85 = 1, and cell 1 with speed limit 6, gradient 102 and
// adhesion 100. No track plan.
inline compiler::CompiledModel embedded_like_model() {
  compiler::CompiledModel model;
  model.scenario_id = "Alvera_Monteluce";
  model.train_id = "2734-2";
  model.size_route(97000);
  model.scenario_table[compiler::kScenarioHeaderEntry].text = model.scenario_id;
  model.scenario_table[compiler::kScenarioHeaderEntry].value3 = 1;
  model.scenario_table[compiler::kTrainIdEntry].text = model.train_id;
  compiler::RouteCell& cell = model.route[1];
  cell.speed_limit = 6;
  cell.gradient = 102;
  cell.adhesion = 100;
  return model;
}

// A plan as a complete line compilation leaves it with no curve: straight
// along +y, metres 2 .. track_length - 2 computed, the last two empty.
inline void fill_straight_plan(compiler::TrackPlan& plan, std::int32_t track_length) {
  plan.size(track_length);
  plan.start();
  for (std::int32_t metre = 2; metre <= track_length - 2; ++metre) plan.append(0.0, metre);
}

}  // namespace output_test
