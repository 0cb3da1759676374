#include "compiler/errors.h"

#include <array>
#include <utility>

namespace compiler {
namespace {

struct KindInfo {
  std::int32_t kind;
  bool has_position;
  std::string_view meaning;
};

constexpr std::array kKinds = {
    KindInfo{1, false, "line length above 1,000,000 m"},
    KindInfo{2, false, "a kilometric chainage start or end is not a multiple of 50"},
    KindInfo{3, false, "cab-signal repetition start is not a multiple of 50"},
    KindInfo{4, false, "cab-signal repetition end is not a multiple of 50"},
    KindInfo{5, false, "the cab-signal repetition keyword holds neither 4 nor 9"},
    KindInfo{6, true, "the cell of this indication board is already taken"},
    KindInfo{7, true, "the cell of this lowering record is already taken"},
    KindInfo{8, true, "station position is not a multiple of 50"},
    KindInfo{9, true, "station length is not a multiple of 100"},
    KindInfo{10, false, "too many stations: they reach the entries of the board texts"},
    KindInfo{11, true, "no room for a lowering point in front of a signal before a slowdown warning board"},
    KindInfo{12, true, "no free cell in a look-back group before a slowdown start"},
    KindInfo{13, true, "no room for a lowering point inside a slowdown or in front of the next signal"},
    KindInfo{15, true, "the record lies beyond the end of the route"},
    KindInfo{16, true, "the cell of this signal is already taken"},
    KindInfo{17, true, "the cell of this slowdown's warning board is already taken"},
    KindInfo{18, true, "the start cell of this slowdown is already taken"},
    KindInfo{19, true, "the end cell of this slowdown is already taken"},
    KindInfo{20, true, "a cell of this slowdown's approach boards is already taken"},
    KindInfo{21, true, "the cell of these maximum-speed boards is already taken"},
    KindInfo{22, true, "the station starts less than 350 m after the previous one ends"},
    KindInfo{24, false, "the station's stop cell would lie in cell 1 or before"},
    KindInfo{25, false, "the record cannot be read: a value out of range, a missing field, or a file that cannot be opened"},
    KindInfo{101, false, "the line description file does not exist"},
    KindInfo{102, false, "the line description file ends before its [generale] section"},
    KindInfo{103, false, "a curve keyword without a digit 1 to 6, or the track plan beyond 1,000,000 m"},
};

const KindInfo* find_kind(std::int32_t kind) {
  for (const KindInfo& info : kKinds) {
    if (info.kind == kind) return &info;
  }
  return nullptr;
}

}  // namespace

std::string_view error_meaning(std::int32_t kind) {
  const KindInfo* info = find_kind(kind);
  return info ? info->meaning : std::string_view{};
}

bool error_has_position(std::int32_t kind) {
  const KindInfo* info = find_kind(kind);
  return info && info->has_position;
}

bool is_route_error(std::int32_t kind) { return kind >= 11 && kind <= 13; }

bool is_known_error_kind(std::int32_t kind) { return find_kind(kind) != nullptr; }

std::string format_recorded_error(std::int32_t kind, std::int32_t position,
                                  const std::optional<ErrorSource>& source,
                                  std::string_view fallback_file) {
  std::string report;
  if (is_route_error(kind)) {
    report = "route: ";
  } else if (source) {
    report = source->file + ":" + std::to_string(source->line) + ": ";
  } else if (!fallback_file.empty()) {
    report = std::string(fallback_file) + ": ";
  }
  report += "error " + std::to_string(kind);
  if (error_has_position(kind)) report += " at " + std::to_string(position) + " m";
  report += ": ";
  const std::string_view meaning = error_meaning(kind);
  report += meaning.empty() ? std::string_view("unknown error kind") : meaning;
  report += '\n';
  if (source && !is_route_error(kind)) {
    report += source->source_line + '\n';
    report += std::string(source->column, ' ') + "^\n";
  }
  return report;
}

std::string errore_prompt(int number) { return " Errore n. " + std::to_string(number); }

}  // namespace compiler
