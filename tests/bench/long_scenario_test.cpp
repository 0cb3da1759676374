// The generated scenario the benchmarks compile must be a valid one: it
// compiles without any recorded error kind and puts every object it
// describes into the route, at any length on its grid.

#include "bench/long_scenario.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "compiler/check.h"
#include "compiler/compile.h"
#include "naming/file_names.h"
#include "reading/field_reader.h"
#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;

struct Compiled {
  compiler::CompiledModel model;
  bool routed = false;
};

Compiled compile_generated(const TempDir& folder, std::int32_t line_length) {
  const bench::GeneratedScenario scenario = bench::generate_scenario(line_length);
  compiler::CompileRequest request;
  request.output_folder = folder.path();
  request.scenario_id = bench::kGeneratedScenarioId;
  request.train_id = bench::kGeneratedTrainId;
  request.sources.line =
      compiler::in_memory(naming::line_description_name(request.scenario_id), scenario.line_description);
  request.sources.train = compiler::in_memory(
      naming::train_description_name(request.scenario_id, request.train_id), scenario.train_description);
  Compiled compiled;
  compiled.routed = compiler::compile_model(compiled.model, request);
  return compiled;
}

std::map<int, int> kind_counts(const compiler::CompiledModel& model) {
  std::map<int, int> counts;
  for (const compiler::RouteCell& cell : model.route) ++counts[cell.kind];
  return counts;
}

class GeneratedScenario : public testing::TestWithParam<std::int32_t> {};

TEST_P(GeneratedScenario, CompilesCleanWithEveryObjectInPlace) {
  TempDir folder;
  const std::int32_t length = GetParam();
  const int blocks = length / bench::kBlockLength;
  const Compiled compiled = compile_generated(folder, length);
  ASSERT_TRUE(compiled.routed);
  const compiler::CompiledModel& model = compiled.model;
  EXPECT_EQ(model.error_code, 0) << "at " << model.error_position << " m";
  EXPECT_EQ(model.track_length, length + 7000);
  EXPECT_EQ(model.track_plan.cursor(), model.track_length - 1) << "the plan runs to its end";

  std::map<int, int> counts = kind_counts(model);
  EXPECT_EQ(counts[compiler::kSignal], 2 * blocks);
  EXPECT_EQ(counts[compiler::kSpeedBoards], blocks);
  EXPECT_EQ(counts[compiler::kStationStop], (blocks + 4) / 5);
  EXPECT_EQ(counts[compiler::kIndicationBoard], (blocks + 3) / 7);
  const int slowdowns = (blocks + 2) / 4;
  EXPECT_EQ(counts[compiler::kSlowdownStart], slowdowns);
  EXPECT_EQ(counts[compiler::kSlowdownEnd], slowdowns);
  EXPECT_EQ(counts[compiler::kSlowdownWarning], slowdowns);
  EXPECT_EQ(counts[compiler::kSlowdownApproach], 4 * slowdowns);
  if (slowdowns > 0) {
    EXPECT_GT(counts[compiler::kLoweringPoint], 0) << "the post-pass adds lowering points";
  }
}

// A scenario written as an author would gets no warning either: the
// warnings are for what the compile reads differently from what was meant.
TEST_P(GeneratedScenario, ChecksWithoutAWarning) {
  const bench::GeneratedScenario scenario = bench::generate_scenario(GetParam());
  compiler::DescriptionSources sources;
  sources.line = compiler::in_memory("L_linea.txt", scenario.line_description);
  sources.train = compiler::in_memory("L_T-.txt", scenario.train_description);
  const compiler::CheckResult result = compiler::check_descriptions(sources);
  EXPECT_EQ(result.errors, 0u);
  EXPECT_EQ(result.warnings, 0u);
  for (const compiler::Diagnostic& diagnostic : result.diagnostics) {
    ADD_FAILURE() << diagnostic.file << ":" << diagnostic.line << ": " << diagnostic.message;
  }
}

INSTANTIATE_TEST_SUITE_P(Lengths, GeneratedScenario, testing::Values(5000, 20000, 100000, bench::kLongestLine));

TEST(GeneratedScenario, RefusesLengthsOffItsGrid) {
  for (std::int32_t length : {0, 4999, 7500, bench::kLongestLine + bench::kBlockLength}) {
    EXPECT_THROW(bench::generate_scenario(length), std::invalid_argument) << length;
  }
}

// The field reader benchmark reads the records back in the order of the
// shapes; the text must follow that order to its end.
TEST(GeneratedFieldText, ReadsBackRecordByRecordInShapeOrder) {
  const std::string text = bench::generate_field_text(20000);
  EXPECT_GE(text.size(), 20000u);
  compiler::FieldReader reader(text);
  int records = 0;
  while (!reader.at_end()) {
    for (const bench::RecordShape& shape : bench::kFieldReaderShapes) {
      ASSERT_EQ(reader.read_text(), shape.keyword) << "record " << records;
      for (int i = 0; i < shape.numbers; ++i) reader.read_int32();
      if (shape.ends_with_text) {
        EXPECT_FALSE(reader.read_text().empty());
      }
      ++records;
    }
  }
  EXPECT_EQ(records % std::size(bench::kFieldReaderShapes), 0u);
}

}  // namespace
