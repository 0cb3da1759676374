#include "driver/form1.h"

#include <cstdio>

#include "compiler/compile.h"
#include "compiler/errors.h"
#include "naming/file_names.h"
#include "platform/files.h"
#include "scenario/documents.h"
#include "scenario/embedded_scenario.h"
#include "scenario/line_description.h"
#include "scenario/train_description.h"

namespace driver {
namespace {

void print_to_stderr(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

int Form1::run() {
  scenario_id_ = scenario::kScenarioId;
  train_id_ = scenario::kTrainId;
  window_.show_wait(scenario_id_, "Attendere");
  try {
    scenario::write_texts(folder_, scenario_id_, train_id_);
  } catch (const platform::FileError& error) {
    window_.message_box("cannot write " + error.path() + ": " + error.reason());
    return 2;
  }
  return memorizza_percorso(1);
}

void Form1::dati_linea() { scenario::dati_linea(folder_, scenario_id_); }
void Form1::dati_treno() { scenario::dati_treno(folder_, scenario_id_, train_id_); }
void Form1::dati_note() { scenario::dati_note(folder_, scenario_id_, train_id_); }
void Form1::dati_rallentamenti() { scenario::dati_rallentamenti(folder_, scenario_id_, train_id_); }
void Form1::dati_scheda() { scenario::dati_scheda(folder_, scenario_id_, train_id_); }

// The program reads its two descriptions, compiles them from memory and
// deletes the ones the reading consumed.
int Form1::memorizza_percorso(std::int32_t j) {
  compiler::DescriptionFiles files;
  files.line_path = platform::join_path(folder_, naming::line_description_name(scenario_id_));
  files.train_path = platform::join_path(folder_, naming::train_description_name(scenario_id_, train_id_));

  compiler::CompileRequest request;
  request.output_folder = folder_;
  request.scenario_id = scenario_id_;
  request.train_id = train_id_;
  request.j = j;
  request.sources = compiler::read_sources(files);

  compiler::CompiledModel model;
  const compiler::CompileResult result = compiler::memorizza_percorso(model, request);
  compiler::delete_consumed(files, result.report.consumed);
  print_to_stderr(compiler::describe_recorded_error(result) + compiler::describe_warnings(result));
  switch (result.status) {
    case compiler::CompileStatus::kWritten:
      break;
    case compiler::CompileStatus::kStampingError:
      window_.message_box(compiler::errore_prompt(result.stamping_error));
      break;
    case compiler::CompileStatus::kNoRoute:
    case compiler::CompileStatus::kWriteFailure:
    case compiler::CompileStatus::kPartialOutput:
      window_.message_box(result.failure);
      break;
  }
  return result.exit_status();
}

}  // namespace driver
