#pragma once
// The compile driver: one pass over both descriptions (prepare the model,
// read the line and then the train description, complete the route, stamp
// it), shared by the compile and the check; the compile then writes the
// three binary files. The descriptions come as names and bytes in memory:
// the caller reads (and, in the one-shot program, deletes) the files.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compiler/parser.h"
#include "model/model.h"
#include "platform/files.h"
#include "reading/diagnostics.h"

namespace compiler {

// Everything a compile depends on; nothing is taken from where the program lies.
struct CompileRequest {
  std::string output_folder;
  std::string scenario_id;
  std::string train_id;
  std::int32_t j = 1;  // non-zero: full compile, with track plan and line data file
  DescriptionSources sources;
  // Warning rules whose warnings are neither shown nor counted; the bytes
  // never depend on warnings.
  std::vector<WarningRule> silenced;
};

// What one pass gives besides the model: the files its reading consumed,
// and what stops the output, if anything: the route was never sized, it has
// no cell 1 for its marks, or a stamping error (blamed on the record that
// fills cell 1). The pass reports that diagnostic into no sink: the compile
// and the check each say it their own way.
struct PassResult {
  ConsumedFiles consumed;
  std::optional<Diagnostic> stop;
};

// The one pass over the bytes. The sink's rule decides how the reading
// goes after an error: the compile's RecordingSink stops as the format
// requires, the check's CollectingSink reads on. A model whose track plan
// keeps positions only computes no coordinates.
PassResult compile_pass(CompiledModel& model, const CompileRequest& request, DiagnosticSink& sink);

// The warning that the line description holds a train description (and,
// most often, the train description the line): the files given in the
// wrong order. Nothing when the line description looks like one. The pass
// reports it before anything else.
std::optional<Diagnostic> swapped_descriptions(const DescriptionSources& sources);

// The exit statuses of a compile, for the program and the tool alike.
inline constexpr int kExitClean = 0;
inline constexpr int kExitRecorded = 1;       // written, with an error kind recorded
inline constexpr int kExitStopped = 2;        // stopped without output
inline constexpr int kExitPartialOutput = 3;  // the output set only partly replaced

enum class CompileStatus {
  kWritten,        // the output files were written (an error kind may be recorded)
  kNoRoute,        // no route, or no cell 1 for its marks: nothing written
  kStampingError,  // kMarkPlaceTaken or kCodePlaceTaken: nothing written
  kWriteFailure,   // an output file could not be written; earlier files stay whole
  kPartialOutput,  // renaming the set stopped part-way: some files are new, the rest old
};

// What the compile's reading told besides the model: the diagnostic of the
// kind recorded last (the one recorded error: the model's error_code and
// error_position come from it), the warnings, the files whose reading an
// error cut short (file and faulty line; line 0: not read at all), and the
// files consumed.
struct CompileReport {
  std::optional<Diagnostic> recorded;
  std::vector<Diagnostic> warnings;
  std::size_t warnings_dropped = 0;  // counted but not kept, past the sink's limit
  std::vector<std::pair<std::string, int>> stopped;
  ConsumedFiles consumed;
  std::size_t errors = 0;        // error kinds recorded, one after the other
  std::size_t route_errors = 0;  // of them, by the post-pass
};

struct CompileResult {
  CompileStatus status = CompileStatus::kWritten;
  // Why nothing or only part was written, with every status but kWritten.
  std::optional<Diagnostic> stop;
  CompileReport report;

  // The kind recorded last; kNone when the reading met no error.
  ErrorKind recorded_kind() const { return report.recorded ? report.recorded->kind : ErrorKind::kNone; }
  // One of the exit statuses above.
  int exit_status() const;
};

// The first step of a compile: sets the compile kind and the identifiers,
// clears the error kind, the scenario table, the route and the plan.
void prepare_model(CompiledModel& model, const CompileRequest& request);

// The pass with the compile's sink, without the stamping: clear, parse,
// post-pass. Returns false when no route was sized (nothing can be written
// then).
bool compile_model(CompiledModel& model, const CompileRequest& request, CompileReport* report = nullptr);

// The diagnostic of a set whose renaming stopped part-way: which file
// failed and why, which files are new and which are not.
Diagnostic partial_output_diagnostic(const platform::PartialReplacement& error);

// The whole compile sequence, output files included.
CompileResult memorizza_percorso(CompiledModel& model, const CompileRequest& request);

// How describe_outcome says it: the hint after each error line, the words
// after each line on a reading cut short, and whether the reason of a stop
// is told (the one-shot program shows it in its message box instead).
struct OutcomeText {
  ErrorHint error_hint = nullptr;
  std::string_view stopped_hint;  // after "records after line N of F were not compiled"
  bool with_stop = true;
};

// The text for standard error, every diagnostic in the one text form: the
// recorded error kind with its source line, a line for each file whose
// reading it cut short, the reason of a stop (a stamping error after the
// prompt of the program's message box), then the warnings. Empty for a
// clean compile without warnings.
std::string describe_outcome(const CompileResult& result, const OutcomeText& text = {});

}  // namespace compiler
