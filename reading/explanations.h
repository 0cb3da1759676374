#pragma once
// The long explanation of every error the compiler can report: what it
// means, why the compiler refuses it, and a minimal wrong description with
// its corrected form. The examples are whole description files, so that a
// test can compile each pair and prove what the text says.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace compiler {

enum class ExampleFile { kLine, kTrain };

// One record written again and again, its position stepping: the examples
// that need many records (too many stations) hold it once. The line
// "{repeat}" of an example stands for the records.
struct RepeatedRecord {
  std::string_view before_position;  // "stazione, "
  std::string_view after_position;   // ", 12, 200, ..."
  std::int32_t first_position = 0;
  std::int32_t step = 0;
  int wrong_count = 0;
  int corrected_count = 0;
};

struct ErrorExample {
  ExampleFile file = ExampleFile::kTrain;
  // Whole description files, lines separated by "\n". An empty wrong text
  // with wrong_file_missing means: no such file at all.
  std::string_view wrong;
  std::string_view corrected;
  bool wrong_file_missing = false;
  // The other description file of the pair; empty for the plain one
  // (example_base_line / example_base_train).
  std::string_view other;
  std::optional<RepeatedRecord> repeated;
};

struct ErrorExplanation {
  std::int32_t kind = 0;
  // The one-line summary, for the stamping errors that have no recorded
  // meaning; empty for the recorded kinds (their meaning is error_meaning).
  std::string_view title;
  // What the error means and why the compiler refuses it: paragraphs
  // separated by a blank line.
  std::string_view text;
  ErrorExample example;
};

std::span<const ErrorExplanation> error_explanations();
const ErrorExplanation* find_explanation(std::int32_t kind);

// The description file the examples use when they concern the other one: a
// 5000 m line with nothing on it, and a train with a speed and an adhesion.
std::string_view example_base_line();
std::string_view example_base_train();

// The full texts of one example pair as compiled (repetition expanded,
// lines ended by CR LF). wrong: the wrong form, else the corrected one.
struct ExampleTexts {
  std::optional<std::string> line;  // nothing: the file does not exist
  std::string train;
};
ExampleTexts example_texts(const ErrorExplanation& explanation, bool wrong);

// " (scenario_tool explain KIND)": the end of an error line whose kind has
// an explanation; empty for any other kind.
std::string explain_hint(std::int32_t kind);

// The whole explanation as `scenario_tool explain` prints it.
std::string format_explanation(const ErrorExplanation& explanation);

}  // namespace compiler
