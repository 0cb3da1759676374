#pragma once
// The line data file: the track plan as tagged values, all x coordinates
// (metre 0 first) and then all y coordinates. Shared by the compiler that
// writes it and the tools that read it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/byte_order.h"
#include "model/model.h"

namespace compiler {

// Bytes of one element: a 2-byte tag and the value it announces.
inline constexpr std::size_t kEmptyElementBytes = 2;
inline constexpr std::size_t kInt16ElementBytes = 4;
inline constexpr std::size_t kDoubleElementBytes = 10;
// Elements in one column of the longest line, and the largest file: every
// element a double.
inline constexpr std::size_t kMaxColumnElements = kMaxTrackLength + 1;
inline constexpr std::size_t kMaxLineDataFileBytes = 2 * kDoubleElementBytes * kMaxColumnElements;

// One element as read back. An integer element holds its value exactly in
// value; an empty one holds 0.
struct PlanElement {
  PlanTag tag = PlanTag::kEmpty;
  double value = 0;
};

// The two columns of a decoded plan; both have track_length + 1 elements.
struct LineData {
  std::vector<PlanElement> x;
  std::vector<PlanElement> y;
};

// The exact size of the encoded plan: 20 * track_length - 36 once a line
// compilation has run it to its end.
std::size_t line_data_size(const TrackPlan& plan);
// An unsized plan encodes as no bytes at all.
std::string encode_line_data_file(const TrackPlan& plan);

// The same bytes a piece at a time, for writing a large plan without holding
// the whole file in memory: sink receives consecutive pieces of at most
// piece_bytes (never less than one element), and nothing for an unsized plan.
using LineDataSink = std::function<void(std::string_view)>;
inline constexpr std::size_t kLineDataPieceBytes = 64 * 1024;
void encode_line_data_pieces(const TrackPlan& plan, std::size_t piece_bytes, const LineDataSink& sink);

// Refuses an unknown tag, bytes that end inside an element, an element
// count that does not split into two equal columns, and more bytes or
// elements than the longest line gives, before anything is allocated.
Decoded<LineData> decode_line_data_file(std::string_view bytes);

}  // namespace compiler
