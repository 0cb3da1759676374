#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compiler/check.h"
#include "compiler/compile.h"
#include "compiler/output.h"
#include "formats/line_data_file.h"
#include "formats/scenario_file.h"
#include "fuzz/targets/fuzz_targets.h"

namespace fuzz {
namespace {

void check(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "broken invariant: %s\n", what);
    std::abort();
  }
}

// What must hold of any model the compile leaves, whatever its input.
// Stamps the model; returns whether the stamping succeeded.
bool check_model(compiler::CompiledModel& model) {
  check(model.error_code == 0 || compiler::error_kind_of(model.error_code), "error_code is a known kind");
  if (!model.route_sized()) return false;
  check(model.track_length >= 7000, "a sized route has a length of at least 7000 m");
  check(model.route.size() == static_cast<std::size_t>(model.last_cell) + 1, "route holds cells 0 .. last_cell");
  check(model.last_cell * 50 - 25 <= model.track_length && model.track_length <= model.last_cell * 50 + 25,
        "last_cell is track_length / 50 rounded");
  if (model.full_compile != 0) {
    check(model.track_plan.last_metre() == model.track_length, "plan holds metres 0 .. track_length");
    check(model.track_plan.cursor() <= model.track_length - 1, "the last two metres stay empty");
  } else {
    check(!model.track_plan.sized(), "no plan without a full compile");
  }
  if (compiler::stamp(model)) return false;
  // The sizes of the files as the input made them. The encoders themselves
  // are held to their bytes by their tests and by the decoders target; to
  // encode a plan of a million metres here would cost most of each run.
  std::size_t texts = 0;
  for (const auto& entry : model.scenario_table) texts += entry.text.size();
  if (compiler::scenario_text_problem(model.scenario_table).empty()) {
    check(compiler::encode_scenario_file(model.scenario_table).size() == 87 * 34 + texts, "scenario file size");
  }
  if (model.full_compile != 0) {
    // A plan that the line compilation ran to its end: doubles from metre 2
    // to two metres before the end; one cut short holds more empty elements.
    const std::size_t complete = 20 * static_cast<std::size_t>(model.track_length) - 36;
    const std::size_t size = compiler::line_data_size(model.track_plan);
    check(model.error_code != 0 ? size <= complete : size == complete, "line data file size");
  }
  return true;
}

// The same place in a description: kind, file, line and column.
bool same_place(const compiler::Diagnostic& a, const compiler::Diagnostic& b) {
  return a.kind == b.kind && a.file == b.file && a.line == b.line && a.column == b.column;
}

}  // namespace

int compile(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t split = input.find('\x1e');
  const std::string_view line = input.substr(0, split);
  const std::string_view train = split == std::string_view::npos ? std::string_view{} : input.substr(split + 1);

  compiler::CompileRequest request;
  request.scenario_id = "F";
  request.train_id = "Z";
  request.j = data[0] & 1;
  request.sources.line = compiler::in_memory("F_linea.txt", std::string(line));
  request.sources.train = compiler::in_memory("F_Z-.txt", std::string(train));

  compiler::CompiledModel model;
  compiler::CompileReport report;
  const bool routed = compiler::compile_model(model, request, &report);
  check(report.consumed.line, "the line description is consumed");
  const bool stamped = check_model(model) && routed;

  // The check on the same input, the compile's pass with the check's sink:
  // it reports the error the compile records (when the compile met only
  // that one); where the compile ends clean, it reports no error and builds
  // the compile's route and scenario table.
  compiler::CompiledModel checked_model;
  checked_model.track_plan.keep_positions_only();
  const compiler::CheckResult checked = compiler::check_compile(checked_model, request);
  if (model.error_code == 0 && stamped) {
    check(checked.errors == 0, "a clean compile gives a clean check");
    check(checked_model.route == model.route, "a clean check builds the compile's route");
    check(checked_model.scenario_table == model.scenario_table,
          "a clean check builds the compile's scenario table");
    check(checked_model.track_plan.cursor() == model.track_plan.cursor(),
          "a clean check's plan stops where the compile's does");
  }
  // After more than one error the two readings differ: the compile stopped
  // where the check went on.
  const bool one_error = report.errors == 1 || report.errors == report.route_errors;
  if (report.recorded && one_error) {
    bool found = false;
    for (const compiler::Diagnostic& diagnostic : checked.diagnostics) {
      if (diagnostic.severity == compiler::Severity::kError && same_place(diagnostic, *report.recorded)) found = true;
    }
    // Swapped files are told alone, in place of what they cause.
    check(found || checked.dropped > 0 || checked.files_swapped, "the check reports the error the compile records");
  }
  return 0;
}

}  // namespace fuzz
