#include "platform/zeroed_array.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using platform::ZeroedArray;

// Small arrays come from the heap, large ones are mapped on their own; both
// must start at zero, hold what is written and copy deeply.
class ZeroedArraySizes : public testing::TestWithParam<std::size_t> {};

TEST_P(ZeroedArraySizes, StartsAtZeroAndHoldsWhatIsWritten) {
  const std::size_t count = GetParam();
  ZeroedArray<double> array(count);
  ASSERT_EQ(array.size(), count);
  std::size_t nonzero = 0;
  for (std::size_t i = 0; i < count; ++i) nonzero += array[i] != 0.0;
  EXPECT_EQ(nonzero, 0u);
  for (std::size_t i = 0; i < count; ++i) array[i] = static_cast<double>(i) + 0.5;
  EXPECT_EQ(array[0], 0.5);
  EXPECT_EQ(array[count - 1], static_cast<double>(count - 1) + 0.5);
}

TEST_P(ZeroedArraySizes, CopiesAreDeepAndMovesEmptyTheSource) {
  const std::size_t count = GetParam();
  ZeroedArray<std::int64_t> original(count);
  original[count - 1] = 7;
  ZeroedArray<std::int64_t> copy = original;
  copy[count - 1] = 8;
  EXPECT_EQ(original[count - 1], 7);
  EXPECT_EQ(copy[count - 1], 8);

  ZeroedArray<std::int64_t> moved = std::move(copy);
  EXPECT_EQ(moved.size(), count);
  EXPECT_EQ(moved[count - 1], 8);
  EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): a moved-from array is empty

  copy = moved;
  EXPECT_EQ(copy[count - 1], 8);
  moved = ZeroedArray<std::int64_t>();
  EXPECT_TRUE(moved.empty());
}

// 1000 doubles stay on the heap; 300,000 (2.4 MB) are mapped and span two
// huge pages; 2,000,000 (16 MB) are a long line's plan.
INSTANTIATE_TEST_SUITE_P(HeapAndMapped, ZeroedArraySizes, testing::Values(1u, 1000u, 300'000u, 2'000'000u));

TEST(ZeroedArray, DefaultIsEmpty) {
  ZeroedArray<double> array;
  EXPECT_TRUE(array.empty());
  EXPECT_EQ(array.data(), nullptr);
}

}  // namespace
