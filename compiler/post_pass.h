#pragma once
// The route post-pass: automatic lowering points around slowdowns and the
// signals near them.

#include "model/model.h"

namespace compiler {

// The smaller of two values; a tie returns the first.
template <typename T>
constexpr T minimo(const T& x, const T& y) {
  return x > y ? y : x;
}

class ReadingContext;

// Walks the route once, placing lowering points; records the route kinds
// (no room for a point, or none in a look-back group) and goes on. Needs a
// sized route. With the reading's context, each error is reported into its
// sink at the slowdown record that called for the point; without, it is
// recorded straight into the model.
void route_post_pass(CompiledModel& model, const ReadingContext* context = nullptr);

}  // namespace compiler
