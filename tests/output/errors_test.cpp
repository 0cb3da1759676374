// The registry of error kinds: one row per kind, numbers as the format has
// them, and the stamping error prompt.

#include "compiler/output.h"
#include "reading/diagnostics.h"
#include "reading/error_kinds.h"

#include <gtest/gtest.h>

#include <set>

namespace compiler {
namespace {

TEST(ErrorRegistryTest, RowsInIncreasingNumberEachWithMeaningAndExplanation) {
  std::set<std::int32_t> seen;
  std::int32_t previous = 0;
  for (const ErrorKindRow& row : error_kinds()) {
    const std::int32_t value = number(row.kind);
    EXPECT_GT(value, previous) << value;
    previous = value;
    EXPECT_TRUE(seen.insert(value).second) << value;
    EXPECT_FALSE(row.meaning.empty()) << value;
    EXPECT_FALSE(row.text.empty()) << value;
    EXPECT_EQ(error_kind_of(value), row.kind) << value;
    EXPECT_EQ(find_error_kind(row.kind), &row) << value;
  }
  EXPECT_EQ(seen, (std::set<std::int32_t>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  11,  12,  13,   15,  16,
                                          17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103, 1250, 1251}));
  for (std::int32_t value : {0, 14, 23, 26, 100, 104, 1249, 1252, -1}) EXPECT_FALSE(error_kind_of(value)) << value;
  EXPECT_EQ(find_error_kind(ErrorKind::kNone), nullptr);
}

TEST(ErrorRegistryTest, PositionsAndBlamedFiles) {
  for (std::int32_t value : {6, 7, 8, 9, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22}) {
    EXPECT_TRUE(error_has_position(*error_kind_of(value))) << value;
  }
  for (std::int32_t value : {1, 2, 3, 4, 5, 10, 24, 25, 101, 102, 103, 1250, 1251}) {
    EXPECT_FALSE(error_has_position(*error_kind_of(value))) << value;
  }
  for (std::int32_t value : {11, 12, 13}) EXPECT_TRUE(is_route_error(*error_kind_of(value))) << value;
  for (std::int32_t value : {1250, 1251}) EXPECT_TRUE(is_stamping_error(*error_kind_of(value))) << value;
  for (std::int32_t value : {1, 16, 25, 103}) {
    EXPECT_FALSE(is_route_error(*error_kind_of(value))) << value;
    EXPECT_FALSE(is_stamping_error(*error_kind_of(value))) << value;
  }
  EXPECT_FALSE(error_has_position(ErrorKind::kNone));
  EXPECT_TRUE(error_meaning(ErrorKind::kNone).empty());
}

TEST(ErrorRegistryTest, StampingPrompt) {
  EXPECT_EQ(errore_prompt(ErrorKind::kMarkPlaceTaken), " Errore n. 1250");
  EXPECT_EQ(errore_prompt(ErrorKind::kCodePlaceTaken), " Errore n. 1251");
}

std::string bracketed(ErrorKind kind) { return " [" + std::to_string(number(kind)) + "]"; }

// The hint of the program around the compiler stands after an error's
// message only, never after a warning's or a note's.
TEST(ErrorRegistryTest, TheHintFollowsErrorLinesOnly) {
  Diagnostic error;
  error.kind = ErrorKind::kSignalCellTaken;
  error.file = "T";
  error.message = "taken";
  Diagnostic note;
  note.severity = Severity::kNote;
  note.file = "T";
  note.message = "here";
  error.notes.push_back(note);
  EXPECT_EQ(render_diagnostic(error), "T:1:1: error 16: taken\nT:1:1: note: here\n");
  EXPECT_EQ(render_diagnostic(error, bracketed), "T:1:1: error 16: taken [16]\nT:1:1: note: here\n");
  Diagnostic warning = note;
  warning.severity = Severity::kWarning;
  EXPECT_EQ(render_diagnostic(warning, bracketed), "T:1:1: warning: here\n");
  Diagnostic plain;
  plain.message = "cannot write out/S_T.dat: No space left on device";
  EXPECT_EQ(render_diagnostic(plain, bracketed), "error: cannot write out/S_T.dat: No space left on device\n");
}

}  // namespace
}  // namespace compiler
