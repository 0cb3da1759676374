#include "compiler/model.h"

#include "compiler/rounding.h"

namespace compiler {

void TrackPlan::size(std::int32_t track_length) {
  const auto points = static_cast<std::size_t>(track_length) + 1;
  x_.assign(points, 0.0);
  y_.assign(points, 0.0);
  cursor_ = 0;
  started_ = false;
}

void TrackPlan::start() {
  x_[0] = 0;
  y_[0] = 0;
  x_[1] = 0;
  y_[1] = 1;
  cursor_ = 2;
  started_ = true;
}

PlanTag TrackPlan::tag(std::int32_t metre) const {
  if (!started_ || metre >= cursor_) return PlanTag::kEmpty;
  return metre < 2 ? PlanTag::kInt16 : PlanTag::kDouble;
}

void TrackPlan::clear() {
  x_.clear();
  y_.clear();
  x_.shrink_to_fit();
  y_.shrink_to_fit();
  cursor_ = 0;
  started_ = false;
}

void CompiledModel::size_route(std::int32_t line_length) {
  track_length = line_length + kExtraTrackLength;
  last_cell = static_cast<std::int32_t>(round_div(track_length, 50));
  route.assign(static_cast<std::size_t>(last_cell) + 1, RouteCell{});
}

}  // namespace compiler
