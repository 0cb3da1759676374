// The line data file: the track plan as tagged values, x column first.

#include "formats/line_data_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "tests/output/fixtures.h"

namespace compiler {
namespace {

using output_test::bytes;

TEST(LineDataFileTest, ExactBytesOfASmallCompletePlan) {
  // track_length 5: integers at metres 0 and 1, doubles at 2 and 3, metres 4
  // and 5 empty, as a complete line compilation leaves them.
  TrackPlan plan;
  plan.size(5);
  plan.start();
  plan.append(-0.5, 2.0);
  plan.append(-1.25, 3.0);
  const std::string x_column = bytes({2, 0, 0, 0, 2, 0, 0, 0,                      // 0, 0
                                      5, 0, 0, 0, 0, 0, 0, 0, 0xE0, 0xBF,          // -0.5
                                      5, 0, 0, 0, 0, 0, 0, 0, 0xF4, 0xBF,          // -1.25
                                      0, 0, 0, 0});
  const std::string y_column = bytes({2, 0, 0, 0, 2, 0, 1, 0,                      // 0, 1
                                      5, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x40,          // 2.0
                                      5, 0, 0, 0, 0, 0, 0, 0, 0x08, 0x40,          // 3.0
                                      0, 0, 0, 0});
  EXPECT_EQ(encode_line_data_file(plan), x_column + y_column);
  EXPECT_EQ(line_data_size(plan), 64u);  // 20 * 5 - 36
}

TEST(LineDataFileTest, SizeFollowsHowFarThePlanWasFilled) {
  struct Case {
    const char* name;
    std::int32_t track_length;
    bool start;
    std::int32_t last_computed;  // metres 2 .. last_computed are doubles
    std::size_t expected;
  };
  const Case cases[] = {
      {"embedded line, complete", 104000, true, 103998, 2'079'964},
      {"cut short at metre 500", 1000, true, 499, 2 * (2 * 4 + 498 * 10 + 501 * 2)},
      {"sized, never started", 1000, false, 0, 2 * 1001 * 2},
      {"started, nothing computed", 7000, true, 1, 2 * (2 * 4 + 6999 * 2)},
  };
  for (const Case& c : cases) {
    TrackPlan plan;
    plan.size(c.track_length);
    if (c.start) plan.start();
    for (std::int32_t metre = 2; metre <= c.last_computed; ++metre) plan.append(0.0, metre);
    const std::string file = encode_line_data_file(plan);
    EXPECT_EQ(file.size(), c.expected) << c.name;
    EXPECT_EQ(line_data_size(plan), c.expected) << c.name;
  }
}

TEST(LineDataFileTest, UnsizedPlanHasNoBytes) {
  EXPECT_EQ(encode_line_data_file(TrackPlan{}), "");
  EXPECT_EQ(line_data_size(TrackPlan{}), 0u);
}

TEST(LineDataFileTest, RoundTripKeepsTagsAndEveryBitOfTheDoubles) {
  const double specials[] = {-0.0,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::infinity(),
                             std::bit_cast<double>(std::uint64_t{0x7FF8000000000123}),  // NaN with payload
                             -123456.789,
                             1e300};
  TrackPlan plan;
  plan.size(20);
  plan.start();
  for (std::int32_t metre = 2; metre <= 16; ++metre) {
    plan.append(specials[metre % 6], -specials[(metre + 1) % 6]);
  }  // metres 17 .. 20 stay empty
  const auto decoded = decode_line_data_file(encode_line_data_file(plan));
  ASSERT_TRUE(decoded.ok()) << decoded.error;
  ASSERT_EQ(decoded.value.x.size(), 21u);
  ASSERT_EQ(decoded.value.y.size(), 21u);
  for (std::int32_t metre = 0; metre <= 20; ++metre) {
    const auto m = static_cast<std::size_t>(metre);
    const PlanElement& x = decoded.value.x[m];
    const PlanElement& y = decoded.value.y[m];
    EXPECT_EQ(x.tag, plan.tag(metre)) << metre;
    EXPECT_EQ(y.tag, plan.tag(metre)) << metre;
    if (plan.tag(metre) == PlanTag::kEmpty) {
      EXPECT_EQ(x.value, 0.0);
      EXPECT_EQ(y.value, 0.0);
    } else {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(x.value), std::bit_cast<std::uint64_t>(plan.x(metre))) << metre;
      EXPECT_EQ(std::bit_cast<std::uint64_t>(y.value), std::bit_cast<std::uint64_t>(plan.y(metre))) << metre;
    }
  }
}

TEST(LineDataFileTest, RefusesBytesThatDoNotFitTheLayout) {
  TrackPlan plan;
  plan.size(5);
  plan.start();
  plan.append(0, 2);
  plan.append(0, 3);
  const std::string good = encode_line_data_file(plan);
  ASSERT_TRUE(decode_line_data_file(good).ok());

  struct Case {
    const char* name;
    std::string file;
    const char* says;
  };
  std::string unknown_tag = good;
  unknown_tag[8] = 3;  // the tag of x at metre 2
  std::string high_tag = good;
  high_tag[9] = 5;  // tag 0x0505
  const Case cases[] = {
      {"empty", "", "no element"},
      {"cut inside a tag", good.substr(0, good.size() - 1), "ends inside"},
      {"cut inside a double", good.substr(0, 8 + 9), "ends inside"},
      {"cut inside an integer", good.substr(0, 3), "ends inside"},
      {"one element more", good + bytes({0, 0}), "two columns"},
      {"unknown tag", unknown_tag, "unknown tag 3"},
      {"tag with a high byte", high_tag, "unknown tag 1285"},
  };
  for (const Case& c : cases) {
    const auto decoded = decode_line_data_file(c.file);
    EXPECT_FALSE(decoded.ok()) << c.name;
    EXPECT_NE(decoded.error.find(c.says), std::string::npos) << c.name << ": " << decoded.error;
  }
}

}  // namespace
}  // namespace compiler
