#include "compiler/post_pass.h"

#include <algorithm>

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

void record_route_error(CompiledModel& model, std::int32_t kind, std::int64_t index) {
  model.record_error(kind, static_cast<std::int32_t>(index * 50));
}

// Rule A: every signal within 20 cells before the slowdown warning board at
// cell i gets a lowering point in one of the two cells in front of it, or
// has an existing one capped.
void lower_signals_before_warning(CompiledModel& model, std::int32_t i) {
  for (std::int32_t back = 1; back <= kSignalLookBack; ++back) {
    const std::int32_t d = i - back;
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
      record_route_error(model, 11, d);
    }
  }
}

// Rule B, step 1: a point in the first free cell of each look-back group
// before the slowdown start at cell i.
void place_look_back_points(CompiledModel& model, std::int32_t i) {
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
    if (!placed) record_route_error(model, 12, i);
  }
}

// Rule B, step 2: from the start at cell i to the slowdown's end (or the
// route's last cell), a point every 8 cells counted from where the previous
// one was placed. Returns the cell where the walk ended.
std::int32_t walk_slow_slowdown(CompiledModel& model, std::int32_t i) {
  std::int32_t gap = 0;
  for (std::int32_t w = i + 1;; ++w) {
    if (++gap == kWalkStep) {
      if (free_in_route(model, w)) {
        place_point(model, w);
        gap = 0;
      } else if (free_in_route(model, w - 1)) {
        place_point(model, w - 1);
        gap = 1;
      } else if (free_in_route(model, w + 1)) {
        place_point(model, w + 1);
        gap = -1;
      } else {
        record_route_error(model, 13, w);  // gap runs on: no more points in this walk
      }
    }
    if (model.cell(w).kind == kSlowdownEnd || w >= model.last_cell) return w;
  }
}

// A slowdown without a walk ends at the first end cell after its start i, or
// at the route's last cell when there is none.
std::int32_t end_of_slowdown(CompiledModel& model, std::int32_t i) {
  std::int32_t w = i + 1;
  while (w < model.last_cell && model.cell(w).kind != kSlowdownEnd) ++w;
  return w;
}

// Rule B, steps 3 and 4: a point in front of the first signal up to 12 cells
// after the walk's end w.
void lower_signal_after_slowdown(CompiledModel& model, std::int32_t w) {
  const std::int32_t scan_end = std::min(w + kSignalScanLength, model.last_cell);
  std::int32_t k = 0;
  for (std::int32_t scan = w; scan <= scan_end; ++scan) {
    if (model.cell(scan).kind == kSignal) {
      k = scan - 1;
      break;
    }
  }
  if (k <= 0) return;
  if (is_free(model.cell(k))) {
    place_point(model, k);
  } else if (is_free(model.cell(k - 1))) {
    place_point(model, k - 1);
  } else {
    record_route_error(model, 13, w);
  }
}

void lower_around_slowdown(CompiledModel& model, std::int32_t i) {
  place_look_back_points(model, i);
  const std::int32_t walk_end =
      model.cell(i).param1 < kSlowdownWithoutWalk ? walk_slow_slowdown(model, i) : end_of_slowdown(model, i);
  lower_signal_after_slowdown(model, walk_end);
}

}  // namespace

void route_post_pass(CompiledModel& model) {
  if (!model.route_sized()) return;
  const std::int32_t last_centre = model.last_cell - 2;
  for (std::int32_t i = 1; i <= last_centre; ++i) {
    if (model.cell(i).kind == kSlowdownWarning) lower_signals_before_warning(model, i);
    if (model.cell(i).kind == kSlowdownStart) lower_around_slowdown(model, i);
  }
}

}  // namespace compiler
