#include "formats/route_file.h"

namespace compiler {

void append_route_cell(std::string& out, const RouteCell& cell) {
  put_u8(out, cell.kind);
  put_i16(out, cell.param1);
  put_i16(out, cell.param2);
  put_i16(out, cell.param3);
  put_i16(out, cell.param4);
  put_u8(out, cell.param5);
  put_u8(out, cell.marker);
  put_u8(out, cell.tunnel);
  put_u8(out, cell.speed_limit);
  put_u8(out, cell.gradient);
  put_u8(out, cell.adhesion);
}

std::string encode_route_file(const std::vector<RouteCell>& route) {
  std::string out;
  out.reserve(route.size() * kRouteCellBytes);
  for (const RouteCell& cell : route) append_route_cell(out, cell);
  return out;
}

Decoded<std::vector<RouteCell>> decode_route_file(std::string_view bytes) {
  Decoded<std::vector<RouteCell>> result;
  if (bytes.empty()) {
    result.error = "route file is empty: it holds no cell";
    return result;
  }
  if (bytes.size() > kMaxRouteFileBytes) {
    result.error = "route file is " + std::to_string(bytes.size()) + " bytes, more than the " +
                   std::to_string(kMaxRouteFileBytes) + " of the longest line";
    return result;
  }
  if (bytes.size() % kRouteCellBytes != 0) {
    result.error = "route file size " + std::to_string(bytes.size()) + " is not a whole number of " +
                   std::to_string(kRouteCellBytes) + "-byte cells";
    return result;
  }
  ByteReader reader(bytes);
  result.value.resize(bytes.size() / kRouteCellBytes);
  for (RouteCell& cell : result.value) {
    cell.kind = reader.u8();
    cell.param1 = reader.i16();
    cell.param2 = reader.i16();
    cell.param3 = reader.i16();
    cell.param4 = reader.i16();
    cell.param5 = reader.u8();
    cell.marker = reader.u8();
    cell.tunnel = reader.u8();
    cell.speed_limit = reader.u8();
    cell.gradient = reader.u8();
    cell.adhesion = reader.u8();
  }
  return result;
}

}  // namespace compiler
