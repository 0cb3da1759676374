#pragma once
// What the files of error rows share: the builders of their examples, and
// the rows of each file for the registry to merge. Only the registry's own
// files include this.

#include <array>

#include "reading/error_kinds.h"

namespace compiler {

// The plain description of the other file, for the examples that concern one.
inline constexpr std::string_view kBaseLine =
    "[generale]\n"
    "lunghezza percorso,    5000\n"
    "[fine]\n";

inline constexpr std::string_view kBaseTrain =
    "[generale]\n"
    "velocita,   0,   100\n"
    "aderenza,   0,   100\n"
    "[fine]\n";


inline constexpr ErrorExample line_example(std::string_view wrong, std::string_view corrected) {
  ErrorExample example;
  example.file = ExampleFile::kLine;
  example.wrong = wrong;
  example.corrected = corrected;
  return example;
}

inline constexpr ErrorExample train_example(std::string_view wrong, std::string_view corrected) {
  ErrorExample example = line_example(wrong, corrected);
  example.file = ExampleFile::kTrain;
  return example;
}

// A train example on a line of its own, with one record repeated.
inline constexpr ErrorExample train_example(std::string_view wrong, std::string_view corrected, std::string_view line,
                                     RepeatedRecord repeated) {
  ErrorExample example = train_example(wrong, corrected);
  example.other = line;
  example.repeated = repeated;
  return example;
}

inline constexpr ErrorExample missing_line_example(std::string_view corrected) {
  ErrorExample example = line_example({}, corrected);
  example.wrong_file_missing = true;
  return example;
}

std::span<const ErrorKindRow> line_error_rows();
std::span<const ErrorKindRow> train_error_rows();
std::span<const ErrorKindRow> route_error_rows();
std::span<const ErrorKindRow> stamping_error_rows();
std::span<const WarningRuleRow> warning_rule_rows();

}  // namespace compiler
