#pragma once
// The one rounding rule of the compiler: to the nearest integer, exact halves
// to the even neighbour. Integer forms are exact; callers write each
// expression as a quotient of integers so that no real value is ever formed.

#include <cmath>
#include <cstdint>

namespace compiler {

// numerator / denominator rounded half to even, exactly. denominator > 0.
constexpr std::int64_t round_div(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  std::int64_t remainder = numerator % denominator;
  if (remainder < 0) {  // make the remainder 0 .. denominator - 1 (floor division)
    remainder += denominator;
    quotient -= 1;
  }
  const std::int64_t twice = 2 * remainder;
  if (twice > denominator || (twice == denominator && quotient % 2 != 0)) quotient += 1;
  return quotient;
}

// A real value rounded half to even.
inline double round_half_even(double value) { return std::nearbyint(value); }

// Keeps the low bits of value in a narrower field, as every store does.
template <typename Field>
constexpr Field low_bits(std::int64_t value) {
  return static_cast<Field>(value);
}

}  // namespace compiler
