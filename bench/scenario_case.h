#pragma once
// One scenario prepared for the benchmarks: its description files written
// once into a scratch folder (kept, not consumed, by every compile), and the
// model as it stands after each stage, so that a stage can be measured on
// its own input.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compile.h"
#include "model/model.h"

namespace bench {

// A temporary folder, removed with its content at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A curve record as the line half hands it to the track plan.
struct CurveRecord {
  std::string keyword;
  std::int32_t position = 0;
  std::int32_t length = 0;
};

enum class ScenarioKind { kEmbedded, kLongest };

class ScenarioCase {
 public:
  // The case of a kind is built on first use and kept for the whole run.
  static const ScenarioCase& get(ScenarioKind kind);

  std::string_view name() const { return name_; }
  const std::string& line_text() const { return line_text_; }
  const std::string& train_text() const { return train_text_; }
  // The description files written into the scratch folder.
  const compiler::DescriptionFiles& files() const { return files_; }
  // Full compile (j = 1) of the texts in memory into the scratch folder.
  const compiler::CompileRequest& request() const { return request_; }
  // The same without track plan (j = 0).
  const compiler::CompileRequest& request_without_plan() const { return request_without_plan_; }
  const std::vector<CurveRecord>& curves() const { return curves_; }
  std::int32_t track_length() const { return track_length_; }

  // Models after a stage. The two parsed ones carry no track plan (j = 0):
  // the stages after the line half never read it.
  const compiler::CompiledModel& after_line_half() const { return after_line_half_; }
  const compiler::CompiledModel& after_parsing() const { return after_parsing_; }
  // A full compile, post-pass done and stamped: what the output stage writes.
  const compiler::CompiledModel& stamped() const { return stamped_; }

 private:
  ScenarioCase(std::string name, const std::string& scenario_id, const std::string& train_id, std::string line_text,
               std::string train_text);
  static std::unique_ptr<ScenarioCase> make(ScenarioKind kind);
  void write_sources() const;
  void compile_stages();

  std::string name_;
  std::string line_text_;
  std::string train_text_;
  ScratchFolder folder_;
  compiler::DescriptionFiles files_;
  compiler::CompileRequest request_;
  compiler::CompileRequest request_without_plan_;
  std::vector<CurveRecord> curves_;
  std::int32_t track_length_ = 0;
  compiler::CompiledModel after_line_half_;
  compiler::CompiledModel after_parsing_;
  compiler::CompiledModel stamped_;
};

// The curve records of a line description, in file order.
std::vector<CurveRecord> curve_records(std::string_view line_text);

}  // namespace bench
