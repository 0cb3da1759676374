#pragma once
// The route file: every cell of the route, cell 0 first, as a packed 15-byte
// record. Shared by the compiler that writes it and the tools that read it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "formats/byte_order.h"
#include "model/model.h"

namespace compiler {

inline constexpr std::size_t kRouteCellBytes = 15;
// The route file of the longest line.
inline constexpr std::size_t kMaxRouteFileBytes = kRouteCellBytes * kMaxRouteCells;
// Cell 1 carries route_mark in param1 and route_code in param2.
inline constexpr std::size_t kRouteMarkOffset = kRouteCellBytes + 1;
inline constexpr std::size_t kRouteCodeOffset = kRouteCellBytes + 3;

void append_route_cell(std::string& out, const RouteCell& cell);
std::string encode_route_file(const std::vector<RouteCell>& route);

// Refuses a size that is not a whole, non-zero number of cells, and more
// cells than the longest line has, before anything is allocated.
Decoded<std::vector<RouteCell>> decode_route_file(std::string_view bytes);

}  // namespace compiler
