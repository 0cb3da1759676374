// The route file: 15-byte cells, little-endian, cell 0 first.

#include "formats/route_file.h"

#include <gtest/gtest.h>

#include "tests/output/fixtures.h"

namespace compiler {
namespace {

using output_test::bytes;

RouteCell every_field_set() {
  RouteCell cell;
  cell.kind = 14;
  cell.param1 = -2;      // FE FF
  cell.param2 = 0x1234;  // 34 12
  cell.param3 = -32768;  // 00 80
  cell.param4 = 32767;   // FF 7F
  cell.param5 = 255;
  cell.marker = 84;
  cell.tunnel = 3;
  cell.speed_limit = 32;
  cell.gradient = 88;
  cell.adhesion = 7;
  return cell;
}

TEST(RouteFileTest, RoundTripKeepsEveryField) {
  std::vector<RouteCell> route(5);
  route[0] = every_field_set();
  route[3].kind = kSignal;
  route[3].param1 = 40;
  route[3].param4 = 6;
  route[4].gradient = 255;
  const std::string file = encode_route_file(route);
  ASSERT_EQ(file.size(), 5 * kRouteCellBytes);
  const auto decoded = decode_route_file(file);
  ASSERT_TRUE(decoded.ok()) << decoded.error;
  EXPECT_EQ(decoded.value, route);
}

TEST(RouteFileTest, FieldsLieInOrderLittleEndian) {
  std::string out;
  append_route_cell(out, every_field_set());
  EXPECT_EQ(out, bytes({14, 0xFE, 0xFF, 0x34, 0x12, 0x00, 0x80, 0xFF, 0x7F, 255, 84, 3, 32, 88, 7}));
}

TEST(RouteFileTest, EmbeddedCellOneCarriesMarkAndCode) {
  // Stamped cell 1: route_mark 5121, route_code 2328 of the embedded
  // identifiers, speed limit 6, gradient 102, adhesion 100.
  CompiledModel model = output_test::embedded_like_model();
  model.route[1].param1 = kRouteMark;
  model.route[1].param2 = 2328;
  const std::string file = encode_route_file(model.route);
  ASSERT_EQ(file.size(), 31215u);  // last_cell 2080
  EXPECT_EQ(file.substr(kRouteCellBytes, kRouteCellBytes),
            bytes({0x00, 0x01, 0x14, 0x18, 0x09, 0, 0, 0, 0, 0, 0, 0, 0x06, 0x66, 0x64}));
  EXPECT_EQ(file.substr(kRouteMarkOffset, 2), bytes({0x01, 0x14}));
  EXPECT_EQ(file.substr(kRouteCodeOffset, 2), bytes({0x18, 0x09}));
  EXPECT_EQ(file.substr(0, kRouteCellBytes), std::string(kRouteCellBytes, '\0'));
}

TEST(RouteFileTest, RefusesSizesThatAreNotWholeCells) {
  const std::string two_cells = encode_route_file(std::vector<RouteCell>(2));
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{14}, std::size_t{16}, std::size_t{29}}) {
    const auto decoded = decode_route_file(std::string_view(two_cells).substr(0, size));
    EXPECT_FALSE(decoded.ok()) << "size " << size;
  }
  EXPECT_FALSE(decode_route_file(two_cells + '\0').ok());
  EXPECT_TRUE(decode_route_file(std::string_view(two_cells).substr(0, 15)).ok());
}

TEST(RouteFileTest, DamagedByteShowsInItsOwnField) {
  std::vector<RouteCell> route(3);
  std::string file = encode_route_file(route);
  file[2 * kRouteCellBytes + 4] = '\x80';  // high byte of cell 2's param2
  const auto decoded = decode_route_file(file);
  ASSERT_TRUE(decoded.ok()) << decoded.error;
  route[2].param2 = -32768;
  EXPECT_EQ(decoded.value, route);
}

}  // namespace
}  // namespace compiler
