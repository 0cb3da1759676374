#include "reading/error_kinds.h"

#include <array>

namespace compiler {
namespace {

using enum BlamedFile;

constexpr std::array kKinds = {
    ErrorKind{1, kLine, false, "line length above 1,000,000 m"},
    ErrorKind{2, kLine, false, "a kilometric chainage start or end is not a multiple of 50"},
    ErrorKind{3, kLine, false, "cab-signal repetition start is not a multiple of 50"},
    ErrorKind{4, kLine, false, "cab-signal repetition end is not a multiple of 50"},
    ErrorKind{5, kLine, false, "the cab-signal repetition keyword holds neither 4 nor 9"},
    ErrorKind{6, kLine, true, "the cell of this indication board is already taken"},
    ErrorKind{7, kTrain, true, "the cell of this lowering record is already taken"},
    ErrorKind{8, kTrain, true, "station position is not a multiple of 50"},
    ErrorKind{9, kTrain, true, "station length is not a multiple of 100"},
    ErrorKind{10, kTrain, false, "too many stations: they reach the entries of the board texts"},
    ErrorKind{11, kRoute, true, "no room for a lowering point in front of a signal before a slowdown warning board"},
    ErrorKind{12, kRoute, true, "no free cell in a look-back group before a slowdown start"},
    ErrorKind{13, kRoute, true, "no room for a lowering point inside a slowdown or in front of the next signal"},
    ErrorKind{15, kLine, true, "the record lies beyond the end of the route"},
    ErrorKind{16, kTrain, true, "the cell of this signal is already taken"},
    ErrorKind{17, kTrain, true, "the cell of this slowdown's warning board is already taken"},
    ErrorKind{18, kTrain, true, "the start cell of this slowdown is already taken"},
    ErrorKind{19, kTrain, true, "the end cell of this slowdown is already taken"},
    ErrorKind{20, kTrain, true, "a cell of this slowdown's approach boards is already taken"},
    ErrorKind{21, kLine, true, "the cell of these maximum-speed boards is already taken"},
    ErrorKind{22, kTrain, true, "the station starts less than 350 m after the previous one ends"},
    ErrorKind{24, kTrain, false, "the station's stop cell would lie in cell 1 or before"},
    ErrorKind{25, kTrain, false,
              "the record cannot be read: a value out of range, a missing field, or a file that cannot be opened"},
    ErrorKind{101, kLine, false, "the line description file does not exist"},
    ErrorKind{102, kLine, false, "the line description file ends before its [generale] section"},
    ErrorKind{103, kLine, false, "a curve keyword without a digit 1 to 6, or the track plan beyond 1,000,000 m"},
};

}  // namespace

std::span<const ErrorKind> error_kinds() { return kKinds; }

const ErrorKind* find_error_kind(std::int32_t number) {
  for (const ErrorKind& kind : kKinds) {
    if (kind.number == number) return &kind;
  }
  return nullptr;
}

bool is_known_error_kind(std::int32_t number) { return find_error_kind(number) != nullptr; }

bool error_has_position(std::int32_t number) {
  const ErrorKind* kind = find_error_kind(number);
  return kind && kind->has_position;
}

bool is_route_error(std::int32_t number) {
  const ErrorKind* kind = find_error_kind(number);
  return kind && kind->file == BlamedFile::kRoute;
}

std::string_view error_meaning(std::int32_t number) {
  const ErrorKind* kind = find_error_kind(number);
  return kind ? kind->meaning : std::string_view{};
}

}  // namespace compiler
