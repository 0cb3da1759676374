#include "model/model.h"

#include "model/rounding.h"

namespace compiler {

void TrackPlan::size(std::int32_t track_length) {
  metres_ = static_cast<std::size_t>(track_length) + 1;
  points_ = positions_only_ ? platform::ZeroedArray<double>() : platform::ZeroedArray<double>(2 * metres_);
  cursor_ = 0;
  started_ = false;
}

void TrackPlan::start() {
  cursor_ = 0;
  if (positions_only_) {
    skip_to(2);
  } else {
    append(0, 0);
    append(0, 1);
  }
  started_ = true;
}

PlanTag TrackPlan::tag(std::int32_t metre) const {
  if (!started_ || metre >= cursor_) return PlanTag::kEmpty;
  return metre < 2 ? PlanTag::kInt16 : PlanTag::kDouble;
}

void TrackPlan::clear() {
  points_ = {};
  metres_ = 0;
  cursor_ = 0;
  started_ = false;
}

void CompiledModel::size_route(std::int32_t line_length) {
  track_length = line_length + kExtraTrackLength;
  last_cell = static_cast<std::int32_t>(round_div(track_length, kCellLength));
  route.assign(static_cast<std::size_t>(last_cell) + 1, RouteCell{});
}

}  // namespace compiler
