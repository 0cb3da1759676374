#pragma once
// The record kinds of the two description files, in one table: the keyword
// as the reader matches it, the section it belongs under, its fields in file
// order with their names, units, ranges and meanings, the error kinds it can
// raise, and what the compiler does with it. The parsers match keyword
// fields against it and take field names from it; the "did you mean" of an
// unknown keyword looks through it; the reference page of the description
// files and the editors' syntax files are made from it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "reading/error_kinds.h"

namespace compiler {

enum class Description { kLine, kTrain };
std::string_view description_name(Description description);  // "line", "train"

// How a field is read: a number of one of three widths, or text.
enum class FieldType { kInt32, kInt16, kByte, kText };

// The documented range of a numeric field that the compile itself does not
// enforce, for the warnings: low to high in steps of step. wraps: the value
// is stored in a field as wide as the range, so one outside keeps only its
// low bits (low + (value - low) modulo the range's width). kept_off_step:
// a value off the step is stored as it stands, not rounded to the step.
struct FieldBounds {
  bool checked = false;
  std::int64_t low = 0;
  std::int64_t high = 0;
  std::int64_t step = 1;
  bool wraps = false;
  bool kept_off_step = false;
};

struct FieldSpec {
  std::string_view name;
  FieldType type;
  std::string_view unit;     // "m", "km/h"; empty for a plain number or a text
  std::string_view range;    // the values the compiler accepts
  std::string_view meaning;
  FieldBounds bounds = {};
};

enum class RecordId {
  // Line description, general section.
  kLineLength,
  kChainageTre,
  kChainageDue,
  kChainageUno,
  kBackgroundUno,
  kBackgroundDue,
  kBackgroundTre,
  kSignalRepetition,
  // Line description, after the general section.
  kGradient,
  kCurve,
  kMountain,
  kSpeedBoards,
  kIndicationBoard,
  // Train description.
  kBrakedMass,
  kCars,
  kSpeedLimit,
  kAdhesion,
  kClock,
  kSand,
  kSignal,
  kSlowdown,
  kLowering,
  kStation,
};

// Where in its file a record is looked for: the line description's general
// section, the line description after it, or the train description.
enum class RecordGroup { kLineGeneral, kLineRecords, kTrain };

struct RecordSpec {
  RecordId id;
  RecordGroup group;
  // The keyword as the embedded files write it.
  std::string_view keyword;
  // The header of the section it stands under.
  std::string_view section;
  // The keyword field matches when it contains every non-empty word; letter
  // case is ignored unless cased is set.
  std::array<std::string_view, 2> words;
  bool cased;
  std::span<const FieldSpec> fields;
  std::span<const ErrorKind> error_kinds;
  // For the reference page: a short name, what the record is, one example
  // line, and what the compiler does with it.
  std::string_view title;
  std::string_view summary;
  std::string_view example;
  std::string_view effect;
};

Description description_of(RecordGroup group);

// Every record kind, each group in the order its tests are made.
std::span<const RecordSpec> record_specs();
// The records of one group, in the order their tests are made.
std::span<const RecordSpec> records_of(RecordGroup group);
const RecordSpec& record_spec(RecordId id);

// A keyword field as read, with its lower-case form made once: every record
// kind of a file is tested on the same field, most of them ignoring case.
struct KeywordField {
  explicit KeywordField(std::string_view field);
  std::string_view text;
  std::string lower;
};

// The substring test of one record kind on a keyword field.
bool keyword_matches(const RecordSpec& spec, const KeywordField& field);

// The section headers of a description file, in the order the embedded file
// uses them.
std::span<const std::string_view> section_headers(Description description);

// The known keyword or section header nearest to a field that matches none,
// when one is near enough to be a likely misspelling.
std::optional<std::string> nearest_known_word(Description description, std::string_view field);

}  // namespace compiler
