#include "compiler/compile.h"

#include "compiler/output.h"
#include "compiler/post_pass.h"
#include "compiler/recording_sink.h"
#include "reading/record_reading.h"
#include "reading/text.h"

namespace compiler {
namespace {

// The stamping's stop, blamed on the record that fills cell 1 where one does.
Diagnostic stamping_diagnostic(const ReadingContext& context, ErrorKind kind) {
  std::string message = "cell 1 of the route holds a value where the compile stamps its marks: it stops with '" +
                        errore_prompt(kind) + "' and writes no file";
  if (const CellHolder* holder = context.holder(1)) {
    return holder->file->diagnostic_at(holder->offset, Severity::kError, kind, std::move(message));
  }
  Diagnostic diagnostic;
  diagnostic.kind = kind;
  diagnostic.message = std::move(message);
  return diagnostic;
}

// What the compile's sink kept, as its report.
CompileReport report_of(const RecordingSink& sink, const ConsumedFiles& consumed) {
  CompileReport report;
  report.recorded = sink.recorded();
  report.warnings = sink.warnings();
  report.warnings_dropped = sink.warnings_dropped();
  report.stopped = sink.stopped();
  report.consumed = consumed;
  report.errors = sink.errors();
  report.route_errors = sink.route_errors();
  return report;
}

// Whether text holds a record that only a train description has.
bool holds_train_records(std::string_view text) {
  for (const std::string_view word : {"velocit", "stazione", "aderenza", "orologio", "rallentamento"}) {
    if (contains_ignoring_case(text, word)) return true;
  }
  return false;
}

// The pass: prepare, read both halves, complete the route and, with
// stamping, stamp it.
PassResult run_pass(CompiledModel& model, const CompileRequest& request, DiagnosticSink& sink, bool stamping) {
  if (std::optional<Diagnostic> swapped = swapped_descriptions(request.sources)) sink.report(std::move(*swapped));
  prepare_model(model, request);
  ReadingContext context(request.sources.line, request.sources.train, sink);
  PassResult result;
  result.consumed = parse_descriptions(model, context);
  if (!model.route_sized()) {
    result.stop = context.line.diagnostic_for_file(
        Severity::kError, ErrorKind::kNone,
        "the line description gives no line length: no route is compiled and no file written");
    return result;
  }
  route_post_pass(model, &context);
  if (!stamping) return result;
  if (!has_mark_cell(model)) {
    result.stop = context.line.diagnostic_for_file(
        Severity::kError, ErrorKind::kNone,
        "the route has no cell 1 to carry its marks (the line is too short): no file is written");
  } else if (const std::optional<ErrorKind> stopped = stamp(model)) {
    result.stop = stamping_diagnostic(context, *stopped);
  }
  return result;
}

}  // namespace

std::optional<Diagnostic> swapped_descriptions(const DescriptionSources& sources) {
  const std::string_view line = sources.line.bytes;
  if (sources.line.state != SourceState::kRead || contains_ignoring_case(line, "lunghezza")) return std::nullopt;
  if (!holds_train_records(line)) return std::nullopt;
  const bool train_is_line =
      sources.train.state == SourceState::kRead && contains_ignoring_case(sources.train.bytes, "lunghezza");
  Diagnostic diagnostic;
  diagnostic.severity = Severity::kWarning;
  diagnostic.rule = WarningRule::kFilesSwapped;
  diagnostic.file = sources.line.name;
  diagnostic.message = train_is_line ? "this file holds a train description, and " + sources.train.name +
                                           " the line description: the two files are given in the wrong order; "
                                           "give the line description first"
                                     : "this file holds a train description, not a line description: give the "
                                       "line description (NAME_linea.txt) first";
  return diagnostic;
}

int CompileResult::exit_status() const {
  if (status == CompileStatus::kPartialOutput) return kExitPartialOutput;
  if (status != CompileStatus::kWritten) return kExitStopped;
  return report.recorded ? kExitRecorded : kExitClean;
}

void prepare_model(CompiledModel& model, const CompileRequest& request) {
  model.full_compile = request.j;
  model.error_code = 0;
  model.scenario_table = {};
  model.route.clear();
  model.track_plan.clear();
  model.scenario_id = request.scenario_id;
  model.train_id = request.train_id;
}

PassResult compile_pass(CompiledModel& model, const CompileRequest& request, DiagnosticSink& sink) {
  return run_pass(model, request, sink, /*stamping=*/true);
}

bool compile_model(CompiledModel& model, const CompileRequest& request, CompileReport* report) {
  RecordingSink sink(model);
  for (const WarningRule rule : request.silenced) sink.silence(rule);
  const PassResult pass = run_pass(model, request, sink, /*stamping=*/false);
  if (report) *report = report_of(sink, pass.consumed);
  return model.route_sized();
}

Diagnostic partial_output_diagnostic(const platform::PartialReplacement& error) {
  const auto list = [](const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) text += (text.empty() ? "" : ", ") + path;
    return text;
  };
  Diagnostic diagnostic;
  diagnostic.message = "cannot rename the new " + error.path() + " into place: " + error.reason() +
                       "\nthe output set is mixed: new " + list(error.replaced()) + "; not replaced " +
                       list(error.kept()) + "\ncompile again to write the whole set";
  return diagnostic;
}

CompileResult memorizza_percorso(CompiledModel& model, const CompileRequest& request) {
  CompileResult result;
  RecordingSink sink(model);
  for (const WarningRule rule : request.silenced) sink.silence(rule);
  PassResult pass = compile_pass(model, request, sink);
  result.report = report_of(sink, pass.consumed);
  if (pass.stop) {
    result.status = is_stamping_error(pass.stop->kind) ? CompileStatus::kStampingError : CompileStatus::kNoRoute;
    result.stop = std::move(pass.stop);
    return result;
  }
  try {
    write_output_files(model, request.output_folder);
  } catch (const platform::PartialReplacement& error) {
    result.status = CompileStatus::kPartialOutput;
    result.stop = partial_output_diagnostic(error);
  } catch (const platform::FileError& error) {
    result.status = CompileStatus::kWriteFailure;
    result.stop = Diagnostic{};
    result.stop->message = "cannot write " + error.path() + ": " + error.reason();
  }
  return result;
}

std::string describe_outcome(const CompileResult& result, const OutcomeText& how) {
  std::string text;
  if (result.report.recorded) text += render_diagnostic(*result.report.recorded, how.error_hint);
  for (const auto& [file, line] : result.report.stopped) {
    if (line > 0) {
      text += "records after line " + std::to_string(line) + " of " + file + " were not compiled";
    } else {
      text += file + " was not compiled";
    }
    text += std::string(how.stopped_hint) + '\n';
  }
  // A route that was never sized is told only when no recorded error says why.
  const bool stop_explained = result.status == CompileStatus::kNoRoute && result.report.recorded;
  if (how.with_stop && result.stop && !stop_explained) {
    // A stamping error is told first as the program's message box shows it.
    if (result.status == CompileStatus::kStampingError) text += errore_prompt(result.stop->kind) + '\n';
    text += render_diagnostic(*result.stop, how.error_hint);
  }
  // The warnings come last: the outcome stands first.
  for (const Diagnostic& warning : result.report.warnings) text += render_diagnostic(warning, how.error_hint);
  if (const std::size_t dropped = result.report.warnings_dropped; dropped > 0) {
    text += std::to_string(dropped) + " more warning" + (dropped == 1 ? "" : "s") + " not shown\n";
  }
  return text;
}

}  // namespace compiler
