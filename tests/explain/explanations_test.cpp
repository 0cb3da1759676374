// Every error explanation's examples are compiled: the wrong form must give
// the explained error, the corrected form must compile cleanly.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/check.h"
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

namespace compiler {
void PrintTo(const WarningRuleRow& row, std::ostream* out) { *out << row.name; }
}  // namespace compiler

namespace {

using compiler::WarningRuleRow;

// The rules the check reports for one example pair, its stop included.
std::vector<compiler::WarningRule> rules_of(const compiler::ErrorExample& example, bool wrong) {
  const compiler::ExampleTexts texts = compiler::example_texts(example, wrong);
  compiler::CompileRequest request;
  request.scenario_id = "S";
  request.train_id = "T";
  request.sources.line = compiler::in_memory("S_linea.txt", texts.line.value_or(""));
  request.sources.train = compiler::in_memory("S_T-.txt", texts.train);
  compiler::CompiledModel model;
  const compiler::CheckResult result = compiler::check_compile(model, request);
  EXPECT_EQ(result.errors, 0u) << (wrong ? "wrong" : "corrected") << " form";
  std::vector<compiler::WarningRule> rules;
  for (const compiler::Diagnostic& diagnostic : result.diagnostics) rules.push_back(diagnostic.rule);
  return rules;
}

class WarningExample : public testing::TestWithParam<WarningRuleRow> {};

TEST_P(WarningExample, WrongFormWarnsByTheRuleAndCorrectedFormDoesNot) {
  const WarningRuleRow& row = GetParam();
  const std::vector<compiler::WarningRule> wrong = rules_of(row.example, true);
  EXPECT_EQ(std::count(wrong.begin(), wrong.end(), row.rule), 1) << "the wrong form warns once";
  const std::vector<compiler::WarningRule> corrected = rules_of(row.example, false);
  EXPECT_EQ(std::count(corrected.begin(), corrected.end(), row.rule), 0);
  const std::string shown = compiler::format_explanation(row);
  EXPECT_EQ(shown.rfind("warning " + std::string(row.name) + ": ", 0), 0u) << shown;
  EXPECT_EQ(compiler::warning_rule_named(row.name), row.rule);
}

INSTANTIATE_TEST_SUITE_P(EveryRule, WarningExample,
                         testing::ValuesIn(compiler::warning_rules().begin(), compiler::warning_rules().end()),
                         [](const testing::TestParamInfo<WarningRuleRow>& rule_info) {
                           std::string name(rule_info.param.name);
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
