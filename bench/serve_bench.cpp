// The live viewer's turnaround: from the moment a description file is saved
// (written anew and renamed over the old one, as editors do) to the moment
// the new revision is served, for the embedded scenario and the longest
// line. Covers the file watch, its settling time, the compile in memory and
// the JSON payload of the page.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "bench/scenario_case.h"
#include "platform/file_watcher.h"
#include "platform/files.h"
#include "tools/live_scenario.h"
#include "tools/scenario_payload.h"

namespace {

using bench::ScenarioCase;
using bench::ScenarioKind;

void BM_SaveToServedRevision(benchmark::State& state, ScenarioKind kind) {
  const ScenarioCase& scenario = ScenarioCase::get(kind);
  bench::ScratchFolder folder;
  const std::string line = platform::join_path(folder.path(), "S_linea.txt");
  const std::string train = platform::join_path(folder.path(), "S_T-.txt");
  platform::replace_file(line, scenario.line_text());
  platform::replace_file(train, scenario.train_text());

  tools::LiveScenario live({line, train, "S", "T", false});
  platform::FileWatcher watcher({line, train});
  if (!watcher.error().empty()) {
    state.SkipWithError(watcher.error().c_str());
    return;
  }
  live.recompile();
  std::thread follower([&] { live.follow(watcher); });
  std::size_t payload_bytes = live.current().payload->size();

  for (auto _ : state) {
    const std::uint64_t before = live.current().revision;
    const auto saved = std::chrono::steady_clock::now();
    platform::replace_file(train, scenario.train_text());  // a new file renamed over the old one
    const std::uint64_t after = live.wait_past(before, std::chrono::seconds(30));
    const auto served = std::chrono::steady_clock::now();
    if (after <= before) {
      state.SkipWithError("no new revision within 30 s");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(served - saved).count());
    payload_bytes = live.current().payload->size();
    // Let the watcher settle before the next save, so saves do not merge.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  watcher.stop();
  live.stop();
  follower.join();
  state.counters["payload_bytes"] = static_cast<double>(payload_bytes);
}

// The parts of a revision: the compile in memory, and the payload of the page.
void BM_CompileLive(benchmark::State& state, ScenarioKind kind) {
  const ScenarioCase& scenario = ScenarioCase::get(kind);
  const compiler::DescriptionFiles& files = scenario.files();
  for (auto _ : state) {
    tools::LiveCompile compiled = tools::compile_live({files.line_path, files.train_path, "S", "T", false});
    benchmark::DoNotOptimize(compiled.model.get());
  }
}

void BM_DrawingPayload(benchmark::State& state, ScenarioKind kind) {
  const compiler::CompiledModel& model = ScenarioCase::get(kind).stamped();
  for (auto _ : state) {
    const std::string text = tools::drawing_json(model).dump();
    benchmark::DoNotOptimize(text.data());
  }
}

BENCHMARK_CAPTURE(BM_CompileLive, embedded, ScenarioKind::kEmbedded)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CompileLive, longest, ScenarioKind::kLongest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawingPayload, embedded, ScenarioKind::kEmbedded)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawingPayload, longest, ScenarioKind::kLongest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveToServedRevision, embedded, ScenarioKind::kEmbedded)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(30);
BENCHMARK_CAPTURE(BM_SaveToServedRevision, longest, ScenarioKind::kLongest)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10);

}  // namespace
