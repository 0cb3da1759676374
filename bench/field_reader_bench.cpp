// The field reader alone, over a large description text held in memory:
// bytes read per second.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/long_scenario.h"
#include "reading/field_reader.h"

namespace {

constexpr std::size_t kFieldTextBytes = 8 * 1024 * 1024;

const std::string& field_text() {
  static const std::string text = bench::generate_field_text(kFieldTextBytes);
  return text;
}

// Reads every record the way a parser half does: the keyword as text, its
// numbers, and its closing text where it has one. Returns the sum of the
// numbers so the reading cannot be left out.
std::int64_t read_all_fields(const std::string& text) {
  compiler::FieldReader reader(text);
  std::int64_t sum = 0;
  while (!reader.at_end()) {
    for (const bench::RecordShape& shape : bench::kFieldReaderShapes) {
      const std::string keyword = reader.read_text();
      if (keyword != shape.keyword) throw compiler::ReadingFailure("record out of order: " + keyword);
      for (int i = 0; i < shape.numbers; ++i) sum += reader.read_int32();
      if (shape.ends_with_text) sum += static_cast<std::int64_t>(reader.read_text().size());
      if (reader.at_end()) break;
    }
  }
  return sum;
}

void BM_FieldReader(benchmark::State& state) {
  const std::string& text = field_text();
  for (auto _ : state) benchmark::DoNotOptimize(read_all_fields(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
  state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_FieldReader)->Unit(benchmark::kMillisecond);

}  // namespace
