#pragma once
// A small compiled scenario written by the library's own output stage: a
// 1000 m line (route cells 0 .. 160), three stations whose names need
// escaping, two signals, two tunnels, one slowdown, one lowering point and
// a plan that runs north, turns right through a quarter circle and runs east.

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "compiler/output.h"
#include "model/model.h"

namespace plot_test {

// What the pictures of the small scenario must show.
struct SmallScenario {
  std::string scenario_id = "Prova";
  std::string train_id = "T1";
  std::vector<std::string> station_names;  // UTF-8, in table order
  std::size_t signals = 0;
  std::size_t tunnels = 0;
  double last_x = 0;  // the last computed point of the plan
  double last_y = 0;
};

// The plan point of metre m: 2000 m north, a quarter circle of radius
// 1000 m to the right, then east.
inline void small_plan_point(std::int32_t metre, double& x, double& y) {
  constexpr double kStraight = 2000;
  constexpr double kRadius = 1000;
  const double arc = kRadius * std::numbers::pi / 2;
  const double m = metre;
  if (m <= kStraight) {
    x = 0;
    y = m;
  } else if (m <= kStraight + arc) {
    const double angle = (m - kStraight) / kRadius;
    x = kRadius - kRadius * std::cos(angle);
    y = kStraight + kRadius * std::sin(angle);
  } else {
    x = kRadius + (m - kStraight - arc);
    y = kStraight + kRadius;
  }
}

inline compiler::ScenarioEntry station_entry(std::int32_t position, std::string name) {
  compiler::ScenarioEntry entry;
  entry.code = 12;
  entry.value1 = position - 200;
  entry.value2 = position + 200;
  entry.value3 = position;
  entry.text = std::move(name);
  return entry;
}

inline compiler::CompiledModel small_model(SmallScenario& expected) {
  compiler::CompiledModel model;
  model.scenario_id = expected.scenario_id;
  model.train_id = expected.train_id;
  model.full_compile = 1;
  model.size_route(1000);  // track_length 8000, cells 0 .. 160

  auto& table = model.scenario_table;
  table[1] = station_entry(0, "NORD & SUD");
  table[2] = station_entry(3000, "CITT\xC0 ALTA");  // Windows-1252 capital A grave
  table[3] = station_entry(6500, "<FINE>");
  expected.station_names = {"NORD & SUD", "CITT\xC3\x80 ALTA", "<FINE>"};
  table[compiler::kFirstBoardEntry].text = "(GALLERIA)(PROVA)";
  table[compiler::kTrainHeaderEntry].value2 = 1000;
  table[compiler::kScenarioHeaderEntry].text = expected.scenario_id;
  table[compiler::kTrainIdEntry].text = expected.train_id;

  auto& route = model.route;
  for (std::size_t cell = 0; cell <= 157; ++cell) {
    route[cell].gradient = cell < 40 ? 110 : cell < 80 ? 100 : 95;
    route[cell].speed_limit = cell < 20 ? 12 : 20;
  }
  for (std::size_t cell = 60; cell < 80; ++cell) route[cell].tunnel = 1;
  for (std::size_t cell = 100; cell < 110; ++cell) route[cell].tunnel = 3;
  expected.tunnels = 2;
  // Objects leave the cell's gradient, speed limit and tunnel as they are.
  auto place = [&route](std::size_t cell, std::uint8_t kind, std::int16_t param1) {
    route[cell].kind = kind;
    route[cell].param1 = param1;
  };
  place(30, compiler::kSignal, 40);
  place(90, compiler::kSignal, 40);
  expected.signals = 2;
  place(50, compiler::kIndicationBoard, compiler::kFirstBoardEntry);
  place(120, compiler::kSlowdownStart, 30);
  place(130, compiler::kSlowdownEnd, 30);
  place(140, compiler::kLoweringPoint, 180);

  compiler::TrackPlan& plan = model.track_plan;
  plan.size(model.track_length);
  plan.start();
  for (std::int32_t metre = 2; metre <= model.track_length - 2; ++metre) {
    double x = 0;
    double y = 0;
    small_plan_point(metre, x, y);
    plan.append(x, y);
  }
  small_plan_point(model.track_length - 2, expected.last_x, expected.last_y);
  return model;
}

// Writes Prova_linea.dat, Prova_T1.sim and Prova_T1.dat into folder.
inline SmallScenario write_small_scenario(const std::string& folder) {
  SmallScenario expected;
  compiler::CompiledModel model = small_model(expected);
  compiler::stamp_and_write_output(model, folder);
  return expected;
}

}  // namespace plot_test
