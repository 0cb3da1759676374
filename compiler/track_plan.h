#pragma once
// The plan view of the track, built one metre at a time while the line
// description is read: straight from the origin along +y, bent by each curve
// record, then straight to the end.

#include <cstdint>
#include <string_view>

#include "model/model.h"

namespace compiler {

// The cursor may not pass this metre inside a curve step.
inline constexpr std::int32_t kMaxPlanCursor = 1'000'000;

// Re-creates the plan for metres 0 .. model.track_length, every element empty.
void size_track_plan(CompiledModel& model);

// Puts metre 0 at (0, 0) and metre 1 at (0, 1); the next metre to compute is 2.
void start_track_plan(TrackPlan& plan);

// Runs straight up to metre p, then bends the plan up to metre p + n by the
// curvature that the keyword's radius digit selects: counter-clockwise when
// the keyword holds an "s", clockwise otherwise. Points are computed no
// further than two metres before the plan's end. Returns false, with the
// plan left where it stopped, when the keyword holds no digit 1 to 6 or the
// cursor passes kMaxPlanCursor. The plan must have been started.
[[nodiscard]] bool curve_step(TrackPlan& plan, std::string_view keyword, std::int32_t p, std::int32_t n);

// Runs straight up to two metres before the plan's end; those two stay empty.
void finish_track_plan(TrackPlan& plan);

}  // namespace compiler
