#pragma once
// The compile driver: prepares the model, parses both descriptions, runs the
// post-pass, then stamps and writes the three binary files.

#include <cstdint>
#include <optional>
#include <string>

#include "compiler/description_file.h"
#include "compiler/model.h"
#include "compiler/parser.h"
#include "platform/files.h"

namespace compiler {

// Everything a compile depends on; nothing is taken from where the program lies.
struct CompileRequest {
  std::string output_folder;
  std::string scenario_id;
  std::string train_id;
  std::int32_t j = 1;  // non-zero: full compile, with track plan and line data file
  DescriptionFiles sources;
};

enum class CompileStatus {
  kWritten,        // the output files were written (an error kind may be recorded)
  kNoRoute,        // the parser stopped before the route was sized: nothing written
  kStampingError,  // 1250 or 1251: nothing written
  kWriteFailure,   // an output file could not be written; earlier files stay whole
  kPartialOutput,  // renaming the set stopped part-way: some files are new, the rest old
};

struct CompileResult {
  CompileStatus status = CompileStatus::kWritten;
  int stamping_error = 0;  // 1250 or 1251 with kStampingError
  std::string failure;     // what stopped the run, for kNoRoute, kWriteFailure and kPartialOutput
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;
  std::optional<ErrorSource> error_source;

  // 0 clean, 1 written with a recorded error kind, 2 stopped without output,
  // 3 output set only partly replaced.
  int exit_status() const;
};

// The first step of a compile: sets the compile kind and the identifiers,
// clears the error kind, the scenario table, the route and the plan.
void prepare_model(CompiledModel& model, const CompileRequest& request);

// Steps before the output: clear, parse, post-pass. Returns false when no
// route was sized (nothing can be written then).
bool compile_model(CompiledModel& model, const CompileRequest& request,
                   std::optional<ErrorSource>* error_source = nullptr);

// The message of a set whose renaming stopped part-way: which file failed
// and why, which files are new and which are not.
std::string describe_partial_output(const platform::PartialReplacement& error);

// The whole compile sequence, output files included.
CompileResult memorizza_percorso(CompiledModel& model, const CompileRequest& request);

// The report of the recorded error kind, or empty when none was recorded.
std::string describe_recorded_error(const CompileResult& result, const CompileRequest& request);

// Lines for standard error that tell the outcome: the recorded kind (if
// any) and the reason of a stop. Empty for a clean compile.
std::string describe_outcome(const CompileResult& result, const CompileRequest& request);

}  // namespace compiler
