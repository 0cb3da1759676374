// Every error explanation's examples are compiled: the wrong form must give
// the explained error, the corrected form must compile cleanly.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "compiler/compile.h"
#include "reading/error_kinds.h"
#include "support/temp_dir.h"

namespace compiler {
// Test names and failure messages show the kind, not the bytes.
void PrintTo(const ErrorKindRow& row, std::ostream* out) { *out << "kind " << number(row.kind); }
}  // namespace compiler

namespace {

using compiler::ErrorKindRow;

compiler::CompileResult compile_example(const ErrorKindRow& explanation, bool wrong) {
  testing_support::TempDir dir;
  const compiler::ExampleTexts texts = compiler::example_texts(explanation, wrong);
  compiler::CompileRequest request;
  request.output_folder = dir.path();
  request.scenario_id = "S";
  request.train_id = "T";
  request.j = 1;
  request.sources.line = compiler::in_memory("S_linea.txt", texts.line.value_or(""));
  if (!texts.line) request.sources.line.state = compiler::SourceState::kMissing;
  request.sources.train = compiler::in_memory("S_T-.txt", texts.train);
  compiler::CompiledModel model;
  return compiler::memorizza_percorso(model, request);
}

std::string report(const compiler::CompileResult& result) {
  std::ostringstream out;
  out << "recorded " << compiler::number(result.recorded_kind()) << ", status " << static_cast<int>(result.status)
      << ' ' << (result.stop ? result.stop->message : "");
  return out.str();
}

class ExplanationExample : public testing::TestWithParam<ErrorKindRow> {};

TEST_P(ExplanationExample, WrongFormGivesTheKindAndCorrectedFormCompilesCleanly) {
  const ErrorKindRow& explanation = GetParam();
  const compiler::CompileResult wrong = compile_example(explanation, true);
  if (compiler::is_stamping_error(explanation.kind)) {
    EXPECT_EQ(wrong.status, compiler::CompileStatus::kStampingError) << report(wrong);
    ASSERT_TRUE(wrong.stop) << report(wrong);
    EXPECT_EQ(wrong.stop->kind, explanation.kind) << report(wrong);
  } else {
    EXPECT_EQ(wrong.recorded_kind(), explanation.kind) << report(wrong);
  }
  const compiler::CompileResult corrected = compile_example(explanation, false);
  EXPECT_EQ(corrected.status, compiler::CompileStatus::kWritten) << report(corrected);
  EXPECT_FALSE(corrected.report.recorded) << report(corrected);
}

// What the explanation shows is what the test compiles: every example line
// printed is a line of the compiled file (the repetition's summary aside).
TEST_P(ExplanationExample, ShowsTheRecordsItCompiles) {
  const ErrorKindRow& explanation = GetParam();
  const std::string shown = compiler::format_explanation(explanation);
  const compiler::ExampleTexts wrong = compiler::example_texts(explanation, true);
  const compiler::ExampleTexts corrected = compiler::example_texts(explanation, false);
  const bool line_file = explanation.example.file == compiler::ExampleFile::kLine;
  const std::string compiled = (line_file ? wrong.line.value_or("") : wrong.train) +
                               (line_file ? *corrected.line : corrected.train) +
                               (line_file ? corrected.train : *corrected.line);
  std::istringstream lines(shown);
  std::string line;
  int example_lines = 0;
  while (std::getline(lines, line)) {
    if (line.rfind("    ", 0) != 0 || line.rfind("    ...", 0) == 0 || line == "    (no such file)") continue;
    ++example_lines;
    EXPECT_NE(compiled.find(line.substr(4) + "\r\n"), std::string::npos) << line;
  }
  EXPECT_GE(example_lines, 3);
  EXPECT_EQ(shown.find("error " + std::to_string(compiler::number(explanation.kind)) + ": "), 0u);
  for (const std::string_view heading : {"\nWrong (", "\nCorrected:\n"}) {
    EXPECT_NE(shown.find(heading), std::string::npos) << heading;
  }
}

std::string kind_name(const testing::TestParamInfo<ErrorKindRow>& info) {
  return "kind_" + std::to_string(compiler::number(info.param.kind));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ExplanationExample,
                         testing::ValuesIn(compiler::error_kinds().begin(), compiler::error_kinds().end()), kind_name);

}  // namespace
