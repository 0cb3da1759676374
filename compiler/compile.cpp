#include "compiler/compile.h"

#include "compiler/errors.h"
#include "compiler/output.h"
#include "compiler/post_pass.h"
#include "reading/record_reading.h"
#include "platform/files.h"

namespace compiler {

int CompileResult::exit_status() const {
  if (status == CompileStatus::kPartialOutput) return 3;
  if (status != CompileStatus::kWritten) return 2;
  return error_code != 0 ? 1 : 0;
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

bool compile_model(CompiledModel& model, const CompileRequest& request, CompileReport* report) {
  prepare_model(model, request);
  RecordingSink sink(model);
  ReadingContext context(request.sources.line, request.sources.train, sink);
  const ConsumedFiles consumed = parse_descriptions(model, context);
  const bool sized = model.route_sized();
  if (sized) route_post_pass(model, &context);
  if (report) {
    report->recorded = sink.recorded();
    report->warnings = sink.warnings();
    report->stopped = sink.stopped();
    report->consumed = consumed;
    report->errors = sink.errors();
    report->route_errors = sink.route_errors();
  }
  return sized;
}

std::string describe_partial_output(const platform::PartialReplacement& error) {
  const auto list = [](const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) text += (text.empty() ? "" : ", ") + path;
    return text;
  };
  return "cannot rename the new " + error.path() + " into place: " + error.reason() +
         "\nthe output set is mixed: new " + list(error.replaced()) + "; not replaced " + list(error.kept()) +
         "\ncompile again to write the whole set";
}

CompileResult memorizza_percorso(CompiledModel& model, const CompileRequest& request) {
  CompileResult result;
  const bool sized = compile_model(model, request, &result.report);
  result.error_code = model.error_code;
  result.error_position = model.error_position;
  if (!sized) {
    result.status = CompileStatus::kNoRoute;
    result.failure = "no route was compiled: the line description gave no line length, so no file is written";
    return result;
  }
  try {
    const int stamped = stamp_and_write_output(model, request.output_folder);
    if (stamped == kNoMarkCell) {
      result.status = CompileStatus::kNoRoute;
      result.failure = "the route has no cell 1 to carry its marks (the line is too short), so no file is written";
    } else if (stamped != kStamped) {
      result.status = CompileStatus::kStampingError;
      result.stamping_error = stamped;
    }
  } catch (const platform::PartialReplacement& error) {
    result.status = CompileStatus::kPartialOutput;
    result.failure = describe_partial_output(error);
  } catch (const platform::FileError& error) {
    result.status = CompileStatus::kWriteFailure;
    result.failure = "cannot write " + error.path() + ": " + error.reason();
  }
  return result;
}

std::string describe_recorded_error(const CompileResult& result) {
  std::string text;
  if (result.report.recorded) {
    text += render_diagnostic(*result.report.recorded);
  } else if (result.error_code != 0) {
    text += format_recorded_error(result.error_code, result.error_position, std::nullopt);
  }
  for (const auto& [file, line] : result.report.stopped) {
    if (line > 0) {
      text += "records after line " + std::to_string(line) + " of " + file + " were not compiled";
    } else {
      text += file + " was not compiled";
    }
    text += "; 'scenario_tool check' lists every problem\n";
  }
  return text;
}

std::string describe_warnings(const CompileResult& result) {
  std::string text;
  for (const Diagnostic& warning : result.report.warnings) text += render_diagnostic(warning);
  return text;
}

std::string describe_outcome(const CompileResult& result) {
  std::string text = describe_recorded_error(result);
  switch (result.status) {
    case CompileStatus::kWritten:
      break;
    case CompileStatus::kStampingError:
      text += errore_prompt(result.stamping_error) + '\n';
      break;
    case CompileStatus::kNoRoute:
    case CompileStatus::kWriteFailure:
    case CompileStatus::kPartialOutput:
      text += result.failure + '\n';
      break;
  }
  // The warnings come last: the outcome stands first.
  return text + describe_warnings(result);
}

}  // namespace compiler
