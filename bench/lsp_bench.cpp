// The language server's turnaround on a change: the editor sends the whole
// text of the train description anew, and the server checks the scenario
// (the line from the disk) and gives the diagnostics to publish. For the
// embedded scenario and the longest line.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/scenario_case.h"
#include "platform/files.h"
#include "tools/lsp_document.h"
#include "tools/lsp_server.h"

namespace {

using bench::ScenarioCase;
using bench::ScenarioKind;
using nlohmann::json;

void BM_LspChangeToDiagnostics(benchmark::State& state, ScenarioKind kind) {
  const ScenarioCase& scenario = ScenarioCase::get(kind);
  bench::ScratchFolder folder;
  const std::string line = platform::join_path(folder.path(), "S_linea.txt");
  const std::string train = platform::join_path(folder.path(), "S_T-.txt");
  platform::replace_file(line, scenario.line_text());
  const std::string uri = tools::path_to_uri(train);
  const std::string text = tools::lsp_text_from_1252(scenario.train_text());

  tools::LspServer server;
  server.handle({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
  server.handle({{"jsonrpc", "2.0"},
                 {"method", "textDocument/didOpen"},
                 {"params", {{"textDocument", {{"uri", uri}, {"languageId", "x"}, {"version", 1}, {"text", text}}}}}});
  server.flush();
  int version = 1;
  for (auto _ : state) {
    server.handle({{"jsonrpc", "2.0"},
                   {"method", "textDocument/didChange"},
                   {"params", {{"textDocument", {{"uri", uri}, {"version", ++version}}},
                               {"contentChanges", json::array({{{"text", text}}})}}}});
    benchmark::DoNotOptimize(server.flush());
  }
}

BENCHMARK_CAPTURE(BM_LspChangeToDiagnostics, embedded, ScenarioKind::kEmbedded)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LspChangeToDiagnostics, longest, ScenarioKind::kLongest)->Unit(benchmark::kMillisecond);

}  // namespace
