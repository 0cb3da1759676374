// The check and the compile are one pass with two sinks: where the reading
// meets no error, the check's model is the compile's, so that the live view
// can draw what it checked without reading the files a second time.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compiler/check.h"
#include "compiler/compile.h"
#include "compiler/output.h"
#include "scenario/document.h"
#include "scenario/line_description.h"
#include "scenario/train_description.h"
#include "support/temp_dir.h"

namespace {

struct Pair {
  std::string name;
  std::string line;
  std::string train;
};

// Every golden case that compiles cleanly, and the embedded scenario.
std::vector<Pair> clean_pairs() {
  std::vector<Pair> pairs;
  const std::filesystem::path golden = std::filesystem::path(TEST_SOURCE_DIR) / "golden";
  for (const auto& entry : std::filesystem::directory_iterator(golden)) {
    const std::filesystem::path dir = entry.path();
    if (!std::filesystem::exists(dir / "S_linea.txt")) continue;
    if (testing_support::read_file(dir / "expected_status").substr(0, 1) != "0") continue;
    pairs.push_back({dir.filename().string(), testing_support::read_file(dir / "S_linea.txt"),
                     testing_support::read_file(dir / "S_T-.txt")});
  }
  pairs.push_back({"embedded", scenario::document_bytes(scenario::line_description_lines()),
                   scenario::document_bytes(scenario::train_description_lines())});
  return pairs;
}

compiler::CompileRequest request_for(const Pair& pair, std::int32_t j) {
  compiler::CompileRequest request;
  request.scenario_id = "S";
  request.train_id = "T";
  request.j = j;
  request.sources.line = compiler::in_memory("S_linea.txt", pair.line);
  request.sources.train = compiler::in_memory("S_T-.txt", pair.train);
  return request;
}

void expect_same_model(const compiler::CompiledModel& checked, const compiler::CompiledModel& compiled) {
  EXPECT_EQ(checked.error_code, compiled.error_code);
  EXPECT_EQ(checked.route, compiled.route);
  EXPECT_EQ(checked.scenario_table, compiled.scenario_table);
  EXPECT_EQ(checked.track_length, compiled.track_length);
  const compiler::TrackPlan& a = checked.track_plan;
  const compiler::TrackPlan& b = compiled.track_plan;
  ASSERT_EQ(a.last_metre(), b.last_metre());
  EXPECT_EQ(a.cursor(), b.cursor());
  for (std::int32_t metre = 0; metre < b.cursor(); ++metre) {
    ASSERT_EQ(a.x(metre), b.x(metre)) << "metre " << metre;
    ASSERT_EQ(a.y(metre), b.y(metre)) << "metre " << metre;
  }
}

TEST(OneReading, WithoutErrorsTheCheckBuildsTheCompilesModel) {
  const std::vector<Pair> pairs = clean_pairs();
  ASSERT_GE(pairs.size(), 8u);
  for (const Pair& pair : pairs) {
    for (const std::int32_t j : {0, 1}) {
      SCOPED_TRACE(pair.name + (j ? ", full compile" : ", no plan"));
      compiler::CompiledModel compiled;
      ASSERT_TRUE(compiler::compile_model(compiled, request_for(pair, j)));
      ASSERT_FALSE(compiler::stamp(compiled));

      compiler::CompiledModel checked;
      const compiler::CheckResult result = compiler::check_compile(checked, request_for(pair, j));
      EXPECT_EQ(result.errors, 0u);
      expect_same_model(checked, compiled);
    }
  }
}

// The clean pairs that stand for an author's work (the embedded scenario)
// get no warning: a warning is for what the compile reads differently from
// what was meant. The golden cases test edge values on purpose and do warn.
TEST(OneReading, TheEmbeddedScenarioChecksWithoutAWarning) {
  const Pair pair = clean_pairs().back();
  ASSERT_EQ(pair.name, "embedded");
  compiler::CompiledModel model;
  const compiler::CheckResult result = compiler::check_compile(model, request_for(pair, 1));
  EXPECT_EQ(result.warnings, 0u);
  for (const compiler::Diagnostic& diagnostic : result.diagnostics) {
    ADD_FAILURE() << diagnostic.file << ":" << diagnostic.line << ": " << diagnostic.message;
  }
}

// With an error the two part: the compile stops at it, the check reads on
// past the faulty record and keeps the records after it.
TEST(OneReading, AfterAnErrorTheCheckKeepsTheRecordsThatFollow) {
  const Pair pair{"taken signal cell",
                  "[generale]\r\nlunghezza percorso,    10000\r\n[fine]\r\n",
                  "[generale]\r\n"
                  "velocita,   0,    100\r\n"
                  "segnale,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
                  "segnale,    2060,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
                  "segnale,    5050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
                  "[fine]\r\n"};
  compiler::CompiledModel compiled;
  compiler::compile_model(compiled, request_for(pair, 0));
  compiler::CompiledModel checked;
  const compiler::CheckResult result = compiler::check_compile(checked, request_for(pair, 0));
  EXPECT_EQ(result.errors, 1u);
  EXPECT_EQ(compiled.error_code, 16);
  EXPECT_EQ(compiled.route[102].kind, compiler::kNoObject) << "the compile stops at the taken cell";
  EXPECT_EQ(checked.route[102].kind, compiler::kSignal) << "the check reads on";
  EXPECT_EQ(checked.route[42].kind, compiler::kSignal);
}

}  // namespace
