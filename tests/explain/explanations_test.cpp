// Every error explanation's examples are compiled: the wrong form must give
// the explained error, the corrected form must compile cleanly.

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "compiler/compile.h"
#include "compiler/errors.h"
#include "reading/explanations.h"
#include "support/temp_dir.h"

namespace compiler {
// Test names and failure messages show the kind, not the bytes.
void PrintTo(const ErrorExplanation& explanation, std::ostream* out) { *out << "kind " << explanation.kind; }
}  // namespace compiler

namespace {

using compiler::ErrorExplanation;

bool is_stamping_error(std::int32_t kind) { return kind == 1250 || kind == 1251; }

compiler::CompileResult compile_example(const ErrorExplanation& explanation, bool wrong) {
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
  out << "error_code " << result.error_code << " at " << result.error_position << ", stamping error "
      << result.stamping_error << ", status " << static_cast<int>(result.status) << ' ' << result.failure;
  return out.str();
}

TEST(Explanations, CoverEveryKindTheCompilerReports) {
  std::set<std::int32_t> explained;
  for (const ErrorExplanation& explanation : compiler::error_explanations()) {
    EXPECT_TRUE(explained.insert(explanation.kind).second) << "kind " << explanation.kind << " twice";
    EXPECT_TRUE(compiler::is_known_error_kind(explanation.kind) || is_stamping_error(explanation.kind))
        << "kind " << explanation.kind << " is not one the compiler reports";
    EXPECT_EQ(explanation.title.empty(), !is_stamping_error(explanation.kind))
        << "kind " << explanation.kind << ": a title stands only where no recorded meaning does";
    EXPECT_FALSE(explanation.text.empty());
  }
  for (std::int32_t kind = 1; kind <= 2000; ++kind) {
    if (compiler::is_known_error_kind(kind)) {
      EXPECT_TRUE(explained.count(kind)) << "kind " << kind;
    }
  }
  EXPECT_TRUE(explained.count(1250));
  EXPECT_TRUE(explained.count(1251));
}

class ExplanationExample : public testing::TestWithParam<ErrorExplanation> {};

TEST_P(ExplanationExample, WrongFormGivesTheKindAndCorrectedFormCompilesCleanly) {
  const ErrorExplanation& explanation = GetParam();
  const compiler::CompileResult wrong = compile_example(explanation, true);
  if (is_stamping_error(explanation.kind)) {
    EXPECT_EQ(wrong.status, compiler::CompileStatus::kStampingError) << report(wrong);
    EXPECT_EQ(wrong.stamping_error, explanation.kind) << report(wrong);
  } else {
    EXPECT_EQ(wrong.error_code, explanation.kind) << report(wrong);
  }
  const compiler::CompileResult corrected = compile_example(explanation, false);
  EXPECT_EQ(corrected.status, compiler::CompileStatus::kWritten) << report(corrected);
  EXPECT_EQ(corrected.error_code, 0) << report(corrected);
}

// What the explanation shows is what the test compiles: every example line
// printed is a line of the compiled file (the repetition's summary aside).
TEST_P(ExplanationExample, ShowsTheRecordsItCompiles) {
  const ErrorExplanation& explanation = GetParam();
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
  EXPECT_EQ(shown.find("error " + std::to_string(explanation.kind) + ": "), 0u);
  for (const std::string_view heading : {"\nWrong (", "\nCorrected:\n"}) {
    EXPECT_NE(shown.find(heading), std::string::npos) << heading;
  }
}

std::string kind_name(const testing::TestParamInfo<ErrorExplanation>& info) {
  return "kind_" + std::to_string(info.param.kind);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ExplanationExample, testing::ValuesIn(compiler::error_explanations().begin(),
                                                                         compiler::error_explanations().end()),
                         kind_name);

}  // namespace
