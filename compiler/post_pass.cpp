#include "compiler/post_pass.h"

#include <algorithm>
#include <string>

#include "reading/record_reading.h"

namespace compiler {
namespace {

constexpr std::int16_t kAutomaticLowering = 180;
constexpr std::int16_t kSlowdownWithoutWalk = 110;  // km/h: from here no 400 m points
constexpr std::int32_t kSignalLookBack = 20;         // cells before a warning board
constexpr std::int32_t kWalkStep = 8;                // cells between 400 m points
constexpr std::int32_t kSignalScanLength = 12;       // cells after the slowdown end

// The three look-back groups before a slowdown start: each runs when the start
// lies beyond its last cell, and tries these distances in order.
constexpr std::int32_t kLookBackGroups[3][3] = {{5, 6, 7}, {11, 12, 13}, {18, 19, 20}};

// A cell past the route's end counts as taken.
bool free_in_route(CompiledModel& model, std::int64_t index) {
  return model.cell_in_route(index) && is_free(model.cell(index));
}

void place_point(CompiledModel& model, std::int64_t index) {
  RouteCell& cell = model.cell(index);
  cell.kind = kLoweringPoint;
  cell.param1 = kAutomaticLowering;
}

void cap_point(CompiledModel& model, std::int64_t index) {
  RouteCell& cell = model.cell(index);
  cell.param1 = minimo(kAutomaticLowering, cell.param1);
}

std::string route_error_message(ErrorKind kind, std::int64_t index) {
  const std::string where = "cell " + std::to_string(index) + " (" + std::to_string(index * kCellLength) + " m)";
  switch (kind) {
    case ErrorKind::kNoRoomBeforeWarning:
      return "no room for a lowering point in front of the signal in " + where +
             ", which stands within 20 cells before this slowdown's warning board";
    case ErrorKind::kNoRoomInLookBack:
      return "no free cell in a look-back group before this slowdown's start in " + where;
    default:
      return "no room for a lowering point at " + where + ", inside this slowdown or in front of the signal after it";
  }
}

// Records kind at the cell index (in metres). The slowdown record that wrote
// the cell the pass is treating is to blame; a signal's own record comes as
// a note.
void record_route_error(CompiledModel& model, const ReadingContext* reporting, ErrorKind kind, std::int64_t index) {
  const auto position = static_cast<std::int32_t>(index * kCellLength);
  if (!reporting) {
    model.record_error(number(kind), position);
    return;
  }
  Diagnostic diagnostic;
  diagnostic.kind = kind;
  diagnostic.message = route_error_message(kind, index);
  if (const CellHolder* slowdown = reporting->holder(model.cell_index)) {
    diagnostic = slowdown->file->diagnostic_at(slowdown->offset, Severity::kError, kind, diagnostic.message);
  }
  diagnostic.position = position;
  if (kind == ErrorKind::kNoRoomBeforeWarning) {
    if (auto note = reporting->holder_note(index)) diagnostic.notes.push_back(std::move(*note));
  }
  reporting->sink.report(std::move(diagnostic));
}

// Rule A: every signal within 20 cells before a slowdown warning board gets a
// lowering point in one of the two cells in front of it, or has an existing
// one capped.
void lower_signals_before_warning(CompiledModel& model, const ReadingContext* reporting) {
  const std::int32_t i = model.cell_index;
  for (model.walk_index = 1; model.walk_index <= kSignalLookBack; ++model.walk_index) {
    const std::int32_t d = i - model.walk_index;
    if (d < 3) return;
    if (model.cell(d).kind != kSignal) continue;
    if (is_free(model.cell(d - 1))) {
      place_point(model, d - 1);
    } else if (is_free(model.cell(d - 2))) {
      place_point(model, d - 2);
    } else if (model.cell(d - 1).kind == kLoweringPoint) {
      cap_point(model, d - 1);
    } else if (model.cell(d - 2).kind == kLoweringPoint) {
      cap_point(model, d - 2);
    } else {
      record_route_error(model, reporting, ErrorKind::kNoRoomBeforeWarning, d);
    }
  }
}

// Rule B, step 1: a point in the first free cell of each look-back group.
void place_look_back_points(CompiledModel& model, const ReadingContext* reporting) {
  const std::int32_t i = model.cell_index;
  for (const auto& group : kLookBackGroups) {
    if (i <= group[2]) continue;
    bool placed = false;
    for (const std::int32_t distance : group) {
      if (is_free(model.cell(i - distance))) {
        place_point(model, i - distance);
        placed = true;
        break;
      }
    }
    if (!placed) record_route_error(model, reporting, ErrorKind::kNoRoomInLookBack, i);
  }
}

// Rule B, step 2: from the start to the slowdown's end (or the route's last
// cell), a point every 8 cells counted from where the previous one was placed.
void walk_slow_slowdown(CompiledModel& model, const ReadingContext* reporting) {
  model.gap_count = 0;
  model.walk_index = model.cell_index;
  for (;;) {
    const std::int32_t w = ++model.walk_index;
    if (++model.gap_count == kWalkStep) {
      if (free_in_route(model, w)) {
        place_point(model, w);
        model.gap_count = 0;
      } else if (free_in_route(model, w - 1)) {
        place_point(model, w - 1);
        model.gap_count = 1;
      } else if (free_in_route(model, w + 1)) {
        place_point(model, w + 1);
        model.gap_count = -1;
      } else {
        // gap_count runs on: no more points in this walk.
        record_route_error(model, reporting, ErrorKind::kNoRoomInSlowdown, w);
      }
    }
    if (model.cell(w).kind == kSlowdownEnd || w >= model.last_cell) return;
  }
}

// A slowdown without a walk ends at the first end cell after its start, or
// at the route's last cell when there is none.
std::int32_t end_of_slowdown(CompiledModel& model) {
  std::int32_t w = model.cell_index + 1;
  while (w < model.last_cell && model.cell(w).kind != kSlowdownEnd) ++w;
  return w;
}

// Rule B, steps 3 and 4: a point in front of the first signal up to 12 cells
// after the walk's end.
void lower_signal_after_slowdown(CompiledModel& model, const ReadingContext* reporting) {
  const std::int32_t w = model.walk_index;
  model.gap_count = 0;
  for (model.scan_index = w; model.scan_index <= w + kSignalScanLength; ++model.scan_index) {
    if (model.scan_index > model.last_cell) break;
    if (model.cell(model.scan_index).kind == kSignal) {
      model.gap_count = model.scan_index - 1;
      break;
    }
  }
  if (model.gap_count <= 0) return;
  const std::int32_t k = model.gap_count;
  if (is_free(model.cell(k))) {
    place_point(model, k);
  } else if (is_free(model.cell(k - 1))) {
    place_point(model, k - 1);
  } else {
    record_route_error(model, reporting, ErrorKind::kNoRoomInSlowdown, w);
  }
}

void lower_around_slowdown(CompiledModel& model, const ReadingContext* reporting) {
  place_look_back_points(model, reporting);
  if (model.cell(model.cell_index).param1 < kSlowdownWithoutWalk) {
    walk_slow_slowdown(model, reporting);
  } else {
    model.walk_index = end_of_slowdown(model);
  }
  lower_signal_after_slowdown(model, reporting);
}

// The first cell from first to last that warns of a slowdown or starts one,
// or last + 1. Kept out of line: a loop over every cell of the route, which
// the fuzz builds leave without comparison tracing.
[[gnu::noinline]] std::int32_t next_slowdown_cell(const CompiledModel& model, std::int32_t first, std::int32_t last) {
  const auto found = std::find_if(model.route.begin() + first, model.route.begin() + std::int64_t{last} + 1,
                                  [](const RouteCell& cell) {
                                    return cell.kind == kSlowdownWarning || cell.kind == kSlowdownStart;
                                  });
  return static_cast<std::int32_t>(found - model.route.begin());
}

}  // namespace

void route_post_pass(CompiledModel& model, const ReadingContext* context) {
  if (!model.route_sized()) return;
  const ReadingContext* reporting = context;
  const std::int32_t last_centre = model.last_cell - 2;
  for (model.cell_index = 1; model.cell_index <= last_centre; ++model.cell_index) {
    // Most cells neither warn of a slowdown nor start one, and nothing
    // happens at them: on to the next that does, or past the last centre.
    model.cell_index = next_slowdown_cell(model, model.cell_index, last_centre);
    if (model.cell_index > last_centre) break;
    if (model.cell(model.cell_index).kind == kSlowdownWarning) lower_signals_before_warning(model, reporting);
    if (model.cell(model.cell_index).kind == kSlowdownStart) lower_around_slowdown(model, reporting);
  }
}

}  // namespace compiler
