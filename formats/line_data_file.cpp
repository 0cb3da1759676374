#include "formats/line_data_file.h"

#include <algorithm>

namespace compiler {
namespace {

// Where each kind of element lies in a column. The plan fills metres in one
// forward pass, so the kinds form three runs: integers at metres 0 and 1
// once started, doubles up to the cursor, empty elements after it. This
// agrees with TrackPlan::tag, without asking it for each element.
struct ColumnRuns {
  std::size_t integers_end = 0;  // metres [0, integers_end) are 16-bit integers
  std::size_t doubles_end = 0;   // metres [integers_end, doubles_end) are doubles
  std::size_t metres = 0;        // the rest up to metres are empty
};

ColumnRuns column_runs(const TrackPlan& plan) {
  ColumnRuns runs;
  runs.metres = plan.sized() ? static_cast<std::size_t>(plan.last_metre()) + 1 : 0;
  if (plan.started()) {
    const auto cursor = static_cast<std::size_t>(std::max(plan.cursor(), 0));
    runs.integers_end = std::min<std::size_t>({2, cursor, runs.metres});
    runs.doubles_end = std::max(runs.integers_end, std::min(cursor, runs.metres));
  }
  return runs;
}

std::size_t column_size(const ColumnRuns& runs) {
  return runs.integers_end * kInt16ElementBytes + (runs.doubles_end - runs.integers_end) * kDoubleElementBytes +
         (runs.metres - runs.doubles_end) * kEmptyElementBytes;
}

// Collects encoded elements into a buffer of a fixed size and hands the
// buffer to the sink whenever the next element might not fit.
class PieceWriter {
 public:
  PieceWriter(std::size_t piece_bytes, const LineDataSink& sink)
      : buffer_(std::max(piece_bytes, kDoubleElementBytes)), sink_(sink) {}

  // Where the next element goes; there is room for the largest kind.
  char* next() {
    if (buffer_.size() - used_ < kDoubleElementBytes) flush();
    return buffer_.data() + used_;
  }
  // The element just stored ends at end.
  void stored_up_to(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

  void flush() {
    if (used_ > 0) sink_(std::string_view(buffer_.data(), used_));
    used_ = 0;
  }

 private:
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  const LineDataSink& sink_;
};

// coordinate(metre) gives the column's value at a metre.
template <typename Coordinate>
void append_column(PieceWriter& writer, const ColumnRuns& runs, Coordinate coordinate) {
  std::size_t metre = 0;
  for (; metre < runs.integers_end; ++metre) {
    char* out = store_u16(writer.next(), static_cast<std::uint16_t>(PlanTag::kInt16));
    // Metres 0 and 1 hold the start points 0 and 1, set by TrackPlan::start.
    out = store_u16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(coordinate(metre))));
    writer.stored_up_to(out);
  }
  for (; metre < runs.doubles_end; ++metre) {
    char* out = store_u16(writer.next(), static_cast<std::uint16_t>(PlanTag::kDouble));
    writer.stored_up_to(store_f64(out, coordinate(metre)));
  }
  for (; metre < runs.metres; ++metre) {
    writer.stored_up_to(store_u16(writer.next(), static_cast<std::uint16_t>(PlanTag::kEmpty)));
  }
}

// The size of the value behind a tag, or -1 for a tag the file never holds.
int value_bytes(std::uint16_t tag) {
  switch (static_cast<PlanTag>(tag)) {
    case PlanTag::kEmpty:
      return 0;
    case PlanTag::kInt16:
      return 2;
    case PlanTag::kDouble:
      return 8;
  }
  return -1;
}

}  // namespace

std::size_t line_data_size(const TrackPlan& plan) { return 2 * column_size(column_runs(plan)); }

void encode_line_data_pieces(const TrackPlan& plan, std::size_t piece_bytes, const LineDataSink& sink) {
  const ColumnRuns runs = column_runs(plan);
  PieceWriter writer(piece_bytes, sink);
  append_column(writer, runs, [&plan](std::size_t metre) { return plan.x(static_cast<std::int32_t>(metre)); });
  append_column(writer, runs, [&plan](std::size_t metre) { return plan.y(static_cast<std::int32_t>(metre)); });
  writer.flush();
}

std::string encode_line_data_file(const TrackPlan& plan) {
  std::string out;
  out.reserve(line_data_size(plan));
  encode_line_data_pieces(plan, kLineDataPieceBytes, [&out](std::string_view piece) { out.append(piece); });
  return out;
}

Decoded<LineData> decode_line_data_file(std::string_view bytes) {
  Decoded<LineData> result;
  if (bytes.size() > kMaxLineDataFileBytes) {
    result.error = "line data file is " + std::to_string(bytes.size()) + " bytes, more than the " +
                   std::to_string(kMaxLineDataFileBytes) + " of the longest line";
    return result;
  }
  // First pass: check every tag and value, and count the elements.
  std::size_t count = 0;
  {
    ByteReader reader(bytes);
    while (!reader.at_end()) {
      const std::size_t start = reader.position();
      const std::uint16_t tag = reader.u16();
      const int size = value_bytes(tag);
      if (!reader.failed() && size < 0) {
        result.error = "line data file has unknown tag " + std::to_string(tag) + " at byte " + std::to_string(start);
        return result;
      }
      reader.bytes(static_cast<std::size_t>(std::max(size, 0)));
      if (reader.failed()) {
        result.error = "line data file ends inside the element at byte " + std::to_string(start);
        return result;
      }
      if (++count > 2 * kMaxColumnElements) {
        result.error = "line data file holds more than the " + std::to_string(2 * kMaxColumnElements) +
                       " elements of the longest line";
        return result;
      }
    }
  }
  if (count == 0) {
    result.error = "line data file is empty: it holds no element";
    return result;
  }
  if (count % 2 != 0) {
    result.error = "line data file holds " + std::to_string(count) + " elements, which do not split into two columns";
    return result;
  }
  // Second pass: the values, x column first.
  ByteReader reader(bytes);
  result.value.x.resize(count / 2);
  result.value.y.resize(count / 2);
  for (std::vector<PlanElement>* column : {&result.value.x, &result.value.y}) {
    for (PlanElement& element : *column) {
      element.tag = static_cast<PlanTag>(reader.u16());
      if (element.tag == PlanTag::kInt16) element.value = reader.i16();
      if (element.tag == PlanTag::kDouble) element.value = reader.f64();
    }
  }
  return result;
}

}  // namespace compiler
