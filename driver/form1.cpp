#include "driver/form1.h"

#include <cstdio>

#include "compiler/compile.h"
#include "compiler/output.h"
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
    return compiler::kExitStopped;
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
  // What stopped the run is shown in the message box, the rest on standard error.
  compiler::OutcomeText text;
  text.with_stop = false;
  print_to_stderr(compiler::describe_outcome(result, text));
  if (result.stop) {
    const bool stamping = result.status == compiler::CompileStatus::kStampingError;
    window_.message_box(stamping ? compiler::errore_prompt(result.stop->kind) : result.stop->message);
  }
  return result.exit_status();
}

}  // namespace driver
