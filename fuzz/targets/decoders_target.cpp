#include <cstdlib>
#include <string>
#include <string_view>

#include "formats/line_data_file.h"
#include "formats/route_file.h"
#include "formats/scenario_file.h"
#include "fuzz/targets/fuzz_targets.h"

namespace fuzz {
namespace {

// The line data file of a decoded plan, element by element.
std::string encode_plan(const compiler::LineData& plan) {
  std::string out;
  for (const auto* column : {&plan.x, &plan.y}) {
    for (const compiler::PlanElement& element : *column) {
      compiler::put_u16(out, static_cast<std::uint16_t>(element.tag));
      if (element.tag == compiler::PlanTag::kInt16) compiler::put_i16(out, static_cast<std::int16_t>(element.value));
      if (element.tag == compiler::PlanTag::kDouble) compiler::put_f64(out, element.value);
    }
  }
  return out;
}

}  // namespace

// A decoded file must encode back to exactly the bytes it came from.
int decoders(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (auto route = compiler::decode_route_file(bytes); route.ok()) {
    if (compiler::encode_route_file(route.value) != bytes) std::abort();
  }
  if (auto table = compiler::decode_scenario_file(bytes); table.ok()) {
    if (compiler::encode_scenario_file(table.value) != bytes) std::abort();
  }
  if (auto plan = compiler::decode_line_data_file(bytes); plan.ok()) {
    if (plan.value.x.size() != plan.value.y.size()) std::abort();
    if (encode_plan(plan.value) != bytes) std::abort();
  }
  return 0;
}

}  // namespace fuzz
