// The compile of a scenario stage by stage and whole, for the embedded
// scenario and for the generated longest line: in memory, and with the three
// files written to a temporary folder.

#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>
#include <string>

#include "bench/scenario_case.h"
#include "compiler/compile.h"
#include "compiler/line_parser.h"
#include "compiler/output.h"
#include "compiler/post_pass.h"
#include "compiler/recording_sink.h"
#include "compiler/track_plan.h"
#include "compiler/train_parser.h"
#include "formats/line_data_file.h"
#include "formats/route_file.h"
#include "formats/scenario_file.h"
#include "reading/description_file.h"

namespace {

using bench::ScenarioCase;
using bench::ScenarioKind;

// For a stage that changes its input: each iteration copies the input
// outside the measured time and measures only the stage.
template <typename Stage>
void measure_on_copy(benchmark::State& state, const compiler::CompiledModel& input, Stage stage) {
  for (auto _ : state) {
    compiler::CompiledModel model = input;
    const auto start = std::chrono::steady_clock::now();
    stage(model);
    const auto stop = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(model.route.data());
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
  }
}

std::size_t output_bytes(const ScenarioCase& scenario) {
  const compiler::CompiledModel& model = scenario.stamped();
  return compiler::line_data_size(model.track_plan) + compiler::encode_scenario_file(model.scenario_table).size() +
         model.route.size() * compiler::kRouteCellBytes;
}

void run_line_half(compiler::CompiledModel& model, const compiler::CompileRequest& request) {
  compiler::prepare_model(model, request);
  compiler::RecordingSink sink(model);
  compiler::ReadingContext context(request.sources.line, request.sources.train, sink);
  compiler::LineParser(model, context).run();
}

void BM_LineHalfWithoutPlan(benchmark::State& state, ScenarioKind kind) {
  const ScenarioCase& scenario = ScenarioCase::get(kind);
  for (auto _ : state) {
    compiler::CompiledModel model;
    run_line_half(model, scenario.request_without_plan());
    benchmark::DoNotOptimize(model.route.data());
  }
}

void BM_TrackPlan(benchmark::State& state, ScenarioKind kind) {
  const ScenarioCase& scenario = ScenarioCase::get(kind);
  for (auto _ : state) {
    compiler::TrackPlan plan;
    plan.size(scenario.track_length());
    compiler::start_track_plan(plan);
    for (const bench::CurveRecord& curve : scenario.curves()) {
      if (!compiler::curve_step(plan, curve.keyword, curve.position, curve.length)) state.SkipWithError("curve");
    }
    compiler::finish_track_plan(plan);
    benchmark::DoNotOptimize(plan.x(plan.cursor() - 1));
  }
  state.counters["points"] = static_cast<double>(scenario.track_length()) + 1;
}

void BM_LineHalf(benchmark::State& state, ScenarioKind kind) {
  const ScenarioCase& scenario = ScenarioCase::get(kind);
  for (auto _ : state) {
    compiler::CompiledModel model;
    run_line_half(model, scenario.request());
    benchmark::DoNotOptimize(model.route.data());
  }
}

void BM_TrainHalf(benchmark::State& state, ScenarioKind kind) {
  const ScenarioCase& scenario = ScenarioCase::get(kind);
  const compiler::DescriptionSources& sources = scenario.request().sources;
  measure_on_copy(state, scenario.after_line_half(), [&](compiler::CompiledModel& model) {
    compiler::RecordingSink sink(model);
    compiler::ReadingContext context(sources.line, sources.train, sink);
    compiler::TrainParser(model, context).run();
  });
}

void BM_PostPass(benchmark::State& state, ScenarioKind kind) {
  measure_on_copy(state, ScenarioCase::get(kind).after_parsing(),
                  [](compiler::CompiledModel& model) { compiler::route_post_pass(model); });
}

// The line data file is encoded in pieces, as the output stage writes it;
// here each piece is only looked at instead of written.
std::size_t encode_line_data(const compiler::TrackPlan& plan) {
  std::size_t bytes = 0;
  compiler::encode_line_data_pieces(plan, compiler::kLineDataPieceBytes, [&bytes](std::string_view piece) {
    benchmark::DoNotOptimize(piece.data());
    bytes += piece.size();
  });
  return bytes;
}

void BM_EncodeLineData(benchmark::State& state, ScenarioKind kind) {
  const compiler::CompiledModel& model = ScenarioCase::get(kind).stamped();
  for (auto _ : state) benchmark::DoNotOptimize(encode_line_data(model.track_plan));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(compiler::line_data_size(model.track_plan)));
}

void BM_EncodeScenario(benchmark::State& state, ScenarioKind kind) {
  const compiler::CompiledModel& model = ScenarioCase::get(kind).stamped();
  for (auto _ : state) benchmark::DoNotOptimize(compiler::encode_scenario_file(model.scenario_table));
}

void BM_EncodeRoute(benchmark::State& state, ScenarioKind kind) {
  const compiler::CompiledModel& model = ScenarioCase::get(kind).stamped();
  for (auto _ : state) benchmark::DoNotOptimize(compiler::encode_route_file(model.route));
}

// Everything but the disk: clear, parse both halves (from the texts in
// memory), post-pass, stamp and encode the three files.
void BM_CompileInMemory(benchmark::State& state, ScenarioKind kind) {
  const ScenarioCase& scenario = ScenarioCase::get(kind);
  for (auto _ : state) {
    compiler::CompiledModel model;
    if (!compiler::compile_model(model, scenario.request()) || compiler::stamp(model)) {
      state.SkipWithError("the compile stopped");
      break;
    }
    benchmark::DoNotOptimize(encode_line_data(model.track_plan));
    benchmark::DoNotOptimize(compiler::encode_scenario_file(model.scenario_table));
    benchmark::DoNotOptimize(compiler::encode_route_file(model.route));
  }
  state.counters["output_MB"] = static_cast<double>(output_bytes(scenario)) / 1e6;
}

void BM_WriteFiles(benchmark::State& state, ScenarioKind kind) {
  const ScenarioCase& scenario = ScenarioCase::get(kind);
  for (auto _ : state) compiler::write_output_files(scenario.stamped(), scenario.request().output_folder);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(output_bytes(scenario)));
}

// The whole compile sequence: the two descriptions read from their files,
// the three files written.
void BM_CompileWithFiles(benchmark::State& state, ScenarioKind kind) {
  const ScenarioCase& scenario = ScenarioCase::get(kind);
  for (auto _ : state) {
    compiler::CompileRequest request = scenario.request();
    request.sources = compiler::read_sources(scenario.files());
    compiler::CompiledModel model;
    const compiler::CompileResult result = compiler::memorizza_percorso(model, request);
    if (result.exit_status() != 0) {
      state.SkipWithError("the compile did not end clean");
      break;
    }
  }
}

#define SCENARIO_BENCHMARK(function, unit)                                           \
  BENCHMARK_CAPTURE(function, embedded, ScenarioKind::kEmbedded)->Unit(unit);        \
  BENCHMARK_CAPTURE(function, longest, ScenarioKind::kLongest)->Unit(unit)

#define SCENARIO_BENCHMARK_MANUAL_TIME(function, unit)                                              \
  BENCHMARK_CAPTURE(function, embedded, ScenarioKind::kEmbedded)->Unit(unit)->UseManualTime();      \
  BENCHMARK_CAPTURE(function, longest, ScenarioKind::kLongest)->Unit(unit)->UseManualTime()

SCENARIO_BENCHMARK(BM_LineHalfWithoutPlan, benchmark::kMicrosecond);
SCENARIO_BENCHMARK(BM_TrackPlan, benchmark::kMicrosecond);
SCENARIO_BENCHMARK(BM_LineHalf, benchmark::kMicrosecond);
SCENARIO_BENCHMARK_MANUAL_TIME(BM_TrainHalf, benchmark::kMicrosecond);
SCENARIO_BENCHMARK_MANUAL_TIME(BM_PostPass, benchmark::kMicrosecond);
SCENARIO_BENCHMARK(BM_EncodeLineData, benchmark::kMicrosecond);
SCENARIO_BENCHMARK(BM_EncodeScenario, benchmark::kMicrosecond);
SCENARIO_BENCHMARK(BM_EncodeRoute, benchmark::kMicrosecond);
SCENARIO_BENCHMARK(BM_CompileInMemory, benchmark::kMicrosecond);
SCENARIO_BENCHMARK(BM_WriteFiles, benchmark::kMicrosecond);
SCENARIO_BENCHMARK(BM_CompileWithFiles, benchmark::kMicrosecond);

}  // namespace
