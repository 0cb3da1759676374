#include "model/rounding.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace compiler {
namespace {

struct DivisionCase {
  std::int64_t numerator;
  std::int64_t denominator;
  std::int64_t expected;
};

TEST(Rounding, QuotientsRoundHalvesToEven) {
  const DivisionCase cases[] = {
      {15, 2, 8},   {17, 2, 8},   {5, 2, 2},      {-5, 2, -2},   {-7, 2, -4},  {1025, 50, 20},
      {1075, 50, 22}, {104000, 50, 2080}, {7975, 50, 160}, {8025, 50, 160}, {1026, 50, 21},
      {1024, 50, 20}, {-24, 50, 0}, {-26, 50, -1}, {-25, 50, 0},   {-75, 50, -2}, {0, 50, 0},
      {1276, 5, 255}, {1277, 5, 255}, {1278, 5, 256}, {1277 + 3, 5, 256},
  };
  for (const DivisionCase& c : cases) {
    EXPECT_EQ(round_div(c.numerator, c.denominator), c.expected) << c.numerator << "/" << c.denominator;
  }
}

TEST(Rounding, RealValuesRoundHalvesToEven) {
  EXPECT_EQ(round_half_even(7.5), 8.0);
  EXPECT_EQ(round_half_even(8.5), 8.0);
  EXPECT_EQ(round_half_even(-2.5), -2.0);
  EXPECT_EQ(round_half_even(37.5), 38.0);
  EXPECT_EQ(round_half_even(36.5), 36.0);
  EXPECT_EQ(round_half_even(2.4999), 2.0);
}

TEST(Rounding, NarrowStoresKeepLowBits) {
  EXPECT_EQ(low_bits<std::uint8_t>(100 + 300), 144);
  EXPECT_EQ(low_bits<std::uint8_t>(-12 + 100), 88);
  EXPECT_EQ(low_bits<std::uint8_t>(-200), 56);
  EXPECT_EQ(low_bits<std::int16_t>(70000), 4464);
  EXPECT_EQ(low_bits<std::int16_t>(40000), -25536);
}

}  // namespace
}  // namespace compiler
