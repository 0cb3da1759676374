#pragma once
// The compile driver: prepares the model, parses both descriptions, runs the
// post-pass, then stamps and writes the three binary files. The descriptions
// come as names and bytes in memory: the caller reads (and, in the one-shot
// program, deletes) the files.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "reading/diagnostics.h"
#include "model/model.h"
#include "compiler/parser.h"
#include "platform/files.h"

namespace compiler {

// Everything a compile depends on; nothing is taken from where the program lies.
struct CompileRequest {
  std::string output_folder;
  std::string scenario_id;
  std::string train_id;
  std::int32_t j = 1;  // non-zero: full compile, with track plan and line data file
  DescriptionSources sources;
};

enum class CompileStatus {
  kWritten,        // the output files were written (an error kind may be recorded)
  kNoRoute,        // the parser stopped before the route was sized: nothing written
  kStampingError,  // 1250 or 1251: nothing written
  kWriteFailure,   // an output file could not be written; earlier files stay whole
  kPartialOutput,  // renaming the set stopped part-way: some files are new, the rest old
};

// What the reading told besides the model: the diagnostic of the kind
// recorded last, the warnings, the files whose reading an error cut short
// (file and faulty line; line 0: not read at all), and the files consumed.
struct CompileReport {
  std::optional<Diagnostic> recorded;
  std::vector<Diagnostic> warnings;
  std::vector<std::pair<std::string, int>> stopped;
  ConsumedFiles consumed;
  std::size_t errors = 0;        // error kinds recorded, one after the other
  std::size_t route_errors = 0;  // of them, by the post-pass
};

struct CompileResult {
  CompileStatus status = CompileStatus::kWritten;
  int stamping_error = 0;  // 1250 or 1251 with kStampingError
  std::string failure;     // what stopped the run, for kNoRoute, kWriteFailure and kPartialOutput
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;
  CompileReport report;

  // 0 clean, 1 written with a recorded error kind, 2 stopped without output,
  // 3 output set only partly replaced.
  int exit_status() const;
};

// The first step of a compile: sets the compile kind and the identifiers,
// clears the error kind, the scenario table, the route and the plan.
void prepare_model(CompiledModel& model, const CompileRequest& request);

// Steps before the output: clear, parse, post-pass. Returns false when no
// route was sized (nothing can be written then).
bool compile_model(CompiledModel& model, const CompileRequest& request, CompileReport* report = nullptr);

// The message of a set whose renaming stopped part-way: which file failed
// and why, which files are new and which are not.
std::string describe_partial_output(const platform::PartialReplacement& error);

// The whole compile sequence, output files included.
CompileResult memorizza_percorso(CompiledModel& model, const CompileRequest& request);

// What the reading told, for standard error: the recorded error kind with
// its source line, and a line for each file whose reading it cut short.
// Empty when no kind was recorded.
std::string describe_recorded_error(const CompileResult& result);
// The warnings of the reading, each with its source line.
std::string describe_warnings(const CompileResult& result);

// Lines for standard error that tell the outcome: the recorded kind (if
// any), the reason of a stop, then the warnings. Empty for a clean compile
// without warnings.
std::string describe_outcome(const CompileResult& result);

}  // namespace compiler
