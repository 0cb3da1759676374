#include "compiler/line_data_file.h"

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

void append_column(std::string& out, const ColumnRuns& runs, const TrackPlan& plan,
                   double (TrackPlan::*coordinate)(std::int32_t) const) {
  std::size_t metre = 0;
  for (; metre < runs.integers_end; ++metre) {
    put_u16(out, static_cast<std::uint16_t>(PlanTag::kInt16));
    // Metres 0 and 1 hold the start points 0 and 1, set by TrackPlan::start.
    put_i16(out, static_cast<std::int16_t>((plan.*coordinate)(static_cast<std::int32_t>(metre))));
  }
  for (; metre < runs.doubles_end; ++metre) {
    put_u16(out, static_cast<std::uint16_t>(PlanTag::kDouble));
    put_f64(out, (plan.*coordinate)(static_cast<std::int32_t>(metre)));
  }
  for (; metre < runs.metres; ++metre) put_u16(out, static_cast<std::uint16_t>(PlanTag::kEmpty));
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

std::string encode_line_data_file(const TrackPlan& plan) {
  const ColumnRuns runs = column_runs(plan);
  std::string out;
  out.reserve(2 * column_size(runs));
  append_column(out, runs, plan, &TrackPlan::x);
  append_column(out, runs, plan, &TrackPlan::y);
  return out;
}

Decoded<LineData> decode_line_data_file(std::string_view bytes) {
  Decoded<LineData> result;
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
      ++count;
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
