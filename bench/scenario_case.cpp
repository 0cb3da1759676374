#include "bench/scenario_case.h"

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>

#include "bench/long_scenario.h"
#include "compiler/line_parser.h"
#include "compiler/output.h"
#include "compiler/parser.h"
#include "compiler/post_pass.h"
#include "compiler/recording_sink.h"
#include "naming/file_names.h"
#include "platform/files.h"
#include "reading/description_file.h"
#include "reading/field_reader.h"
#include "scenario/document.h"
#include "scenario/embedded_scenario.h"
#include "scenario/line_description.h"
#include "scenario/train_description.h"

namespace bench {
namespace {

compiler::DescriptionFiles files_in(const std::string& folder, const std::string& scenario_id,
                                    const std::string& train_id) {
  compiler::DescriptionFiles files;
  files.line_path = platform::join_path(folder, naming::line_description_name(scenario_id));
  files.train_path = platform::join_path(folder, naming::train_description_name(scenario_id, train_id));
  files.consume = false;
  return files;
}

// A compile of the two texts, held in memory.
compiler::CompileRequest request_in(const std::string& folder, const std::string& scenario_id,
                                    const std::string& train_id, std::int32_t j, const std::string& line_text,
                                    const std::string& train_text) {
  const compiler::DescriptionFiles files = files_in(folder, scenario_id, train_id);
  compiler::CompileRequest request;
  request.output_folder = folder;
  request.scenario_id = scenario_id;
  request.train_id = train_id;
  request.j = j;
  request.sources.line = compiler::in_memory(files.line_path, line_text);
  request.sources.train = compiler::in_memory(files.train_path, train_text);
  return request;
}

// A benchmark of a scenario that does not compile cleanly would measure an
// early stop, not the compile.
void require_clean(const compiler::CompiledModel& model, std::string_view what) {
  if (model.error_code != 0) {
    throw std::runtime_error(std::string(what) + " recorded error kind " + std::to_string(model.error_code));
  }
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "scenario-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ScenarioCase::ScenarioCase(std::string name, const std::string& scenario_id, const std::string& train_id,
                           std::string line_text, std::string train_text)
    : name_(std::move(name)),
      line_text_(std::move(line_text)),
      train_text_(std::move(train_text)),
      files_(files_in(folder_.path(), scenario_id, train_id)),
      request_(request_in(folder_.path(), scenario_id, train_id, 1, line_text_, train_text_)),
      request_without_plan_(request_in(folder_.path(), scenario_id, train_id, 0, line_text_, train_text_)),
      curves_(curve_records(line_text_)) {
  write_sources();
  compile_stages();
}

void ScenarioCase::write_sources() const {
  platform::replace_file(files_.line_path, line_text_);
  platform::replace_file(files_.train_path, train_text_);
}

void ScenarioCase::compile_stages() {
  compiler::prepare_model(after_line_half_, request_without_plan_);
  compiler::RecordingSink sink(after_line_half_);
  compiler::ReadingContext context(request_.sources.line, request_.sources.train, sink);
  compiler::LineParser(after_line_half_, context).run();
  require_clean(after_line_half_, "the line half");

  compiler::prepare_model(after_parsing_, request_without_plan_);
  compiler::memorizza_dati(after_parsing_, files_);
  require_clean(after_parsing_, "the parser");

  if (!compiler::compile_model(stamped_, request_)) throw std::runtime_error("no route was compiled");
  require_clean(stamped_, "the compile");
  if (compiler::stamp(stamped_)) throw std::runtime_error("the model could not be stamped");
  track_length_ = stamped_.track_length;
}

const ScenarioCase& ScenarioCase::get(ScenarioKind kind) {
  static const std::unique_ptr<ScenarioCase> embedded = make(ScenarioKind::kEmbedded);
  if (kind == ScenarioKind::kEmbedded) return *embedded;
  static const std::unique_ptr<ScenarioCase> longest = make(ScenarioKind::kLongest);
  return *longest;
}

std::vector<CurveRecord> curve_records(std::string_view line_text) {
  std::vector<CurveRecord> curves;
  std::size_t begin = 0;
  while (begin < line_text.size()) {
    std::size_t end = line_text.find('\n', begin);
    if (end == std::string_view::npos) end = line_text.size();
    const std::string_view line = line_text.substr(begin, end - begin);
    if (line.starts_with("curva")) {
      compiler::FieldReader reader(line);
      CurveRecord curve;
      curve.keyword = reader.read_text();
      curve.position = reader.read_int32();
      curve.length = reader.read_int32();
      curves.push_back(std::move(curve));
    }
    begin = end + 1;
  }
  return curves;
}

std::unique_ptr<ScenarioCase> ScenarioCase::make(ScenarioKind kind) {
  if (kind == ScenarioKind::kLongest) {
    GeneratedScenario generated = generate_scenario(kLongestLine);
    return std::unique_ptr<ScenarioCase>(new ScenarioCase("longest", kGeneratedScenarioId, kGeneratedTrainId,
                                                          std::move(generated.line_description),
                                                          std::move(generated.train_description)));
  }
  return std::unique_ptr<ScenarioCase>(new ScenarioCase("embedded", scenario::kScenarioId, scenario::kTrainId,
                                                        scenario::document_bytes(scenario::line_description_lines()),
                                                        scenario::document_bytes(scenario::train_description_lines())));
}

}  // namespace bench
