#pragma once
// The registry of error kinds and warning rules: one row per kind the
// compiler can report, the two stamping errors included, and one per rule of
// the warnings that tell an author what the compile reads differently from
// what they evidently meant. A row gives the kind's number, the file it
// blames, whether a position in metres comes with it, its one-line meaning
// and its explanation with a wrong and a corrected description. The rows
// live beside their explanations, one file per blamed file
// (line_errors.cpp, train_errors.cpp, route_errors.cpp, stamping_errors.cpp).
// Code names a kind by its enumerator; only the rows hold the numbers.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace compiler {

enum class ErrorKind : std::int32_t {
  kNone = 0,  // warnings and notes carry no kind
  kLineTooLong = 1,
  kChainageOffGrid = 2,
  kRepetitionStartOffGrid = 3,
  kRepetitionEndOffGrid = 4,
  kRepetitionWithoutKind = 5,
  kIndicationBoardCellTaken = 6,
  kLoweringCellTaken = 7,
  kStationOffGrid = 8,
  kStationLengthOffGrid = 9,
  kTooManyStations = 10,
  kNoRoomBeforeWarning = 11,
  kNoRoomInLookBack = 12,
  kNoRoomInSlowdown = 13,
  kBeyondRoute = 15,
  kSignalCellTaken = 16,
  kWarningBoardCellTaken = 17,
  kSlowdownStartCellTaken = 18,
  kSlowdownEndCellTaken = 19,
  kApproachBoardCellTaken = 20,
  kSpeedBoardsCellTaken = 21,
  kStationTooClose = 22,
  kStopCellTooEarly = 24,
  kReadingFailure = 25,
  kLineMissing = 101,
  kNoGeneralSection = 102,
  kCurveOrPlanBeyond = 103,
  // The stamping errors: never recorded, shown in the program's message box.
  kMarkPlaceTaken = 1250,
  kCodePlaceTaken = 1251,
};

// The number of a kind, as error messages and the model's error_code show it.
constexpr std::int32_t number(ErrorKind kind) { return static_cast<std::int32_t>(kind); }

// The file a kind blames: the line description, the train description, the
// route the post-pass completes (blamed on the train description's slowdown
// that called for the points), or the stamping (blamed on what fills cell 1).
enum class BlamedFile { kLine, kTrain, kRoute, kStamping };

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

struct ErrorKindRow {
  ErrorKind kind = ErrorKind::kNone;
  BlamedFile file = BlamedFile::kLine;
  bool has_position = false;
  std::string_view meaning;
  // What the error means and why the compiler refuses it: paragraphs
  // separated by a line feed, each one line (format_explanation wraps them).
  std::string_view text;
  ErrorExample example;
};

// Every row, in increasing number.
std::span<const ErrorKindRow> error_kinds();
// The row of a kind; kNone and a value outside the enumeration have none.
const ErrorKindRow* find_error_kind(ErrorKind kind);
// The kind of a number as typed by an author ("explain 16"), or nothing.
std::optional<ErrorKind> error_kind_of(std::int32_t number);

bool error_has_position(ErrorKind kind);
// Kinds found by the route post-pass rather than at a description record.
bool is_route_error(ErrorKind kind);
// The two stamping errors, which stop the compile before any file is written.
bool is_stamping_error(ErrorKind kind);
// A few words on what a kind means; empty for kNone.
std::string_view error_meaning(ErrorKind kind);

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
ExampleTexts example_texts(const ErrorKindRow& row, bool wrong);

// The whole explanation of a kind: its number and meaning, the paragraphs
// wrapped, the wrong and the corrected example.
std::string format_explanation(const ErrorKindRow& row);

// The rules of the warnings. A warning never changes the compiled bytes: it
// tells what the compile does with what the author wrote.
enum class WarningRule {
  kNone,
  kUtf8Text,
  kByteOrderMark,
  kUnknownKeyword,
  kUnknownSection,
  kWrongSection,
  kAfterEndMarker,
  kMissingSection,
  kBeyondLineLength,
  kNoStation,
  kOutOfRange,
  kValueWraps,
  kNotAMultiple,
  kOutOfOrder,
  kDuplicateName,
  kUnclosedQuote,
  kCommentLike,
  kLetterCase,
  kDuplicateSection,
  kExtraField,
  kProfileStart,
  kScheduleTooTight,
  kFilesSwapped,
  kSamePlace,
};

struct WarningRuleRow {
  WarningRule rule = WarningRule::kNone;
  // The rule's stable name, as `check --no-warn NAME` and `explain NAME`
  // take it and the JSON's "rule" key gives it.
  std::string_view name;
  std::string_view meaning;
  std::string_view text;  // paragraphs as in ErrorKindRow
  ErrorExample example;   // the wrong form warns, the corrected one does not
};

// Every rule, in the order of the enumeration.
std::span<const WarningRuleRow> warning_rules();
const WarningRuleRow* find_warning_rule(WarningRule rule);
// The rule of a name, or nothing.
std::optional<WarningRule> warning_rule_named(std::string_view name);
// The rule's name; empty for kNone.
std::string_view rule_name(WarningRule rule);

ExampleTexts example_texts(const ErrorExample& example, bool wrong);
std::string format_explanation(const WarningRuleRow& row);

}  // namespace compiler
