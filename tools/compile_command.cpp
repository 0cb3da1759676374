#include <memory>
#include <ostream>

#include "compiler/compile.h"
#include "naming/file_names.h"
#include "tools/command.h"
#include "tools/commands.h"
#include "tools/hints.h"
#include "tools/identifiers.h"

namespace tools {

using naming::scenario_id_from_line_name;
using naming::train_id_from_train_name;

namespace {

// Settles one identifier: the option when given, else the one the file
// name gives. Prints why when neither serves.
std::optional<std::string> settle_identifier(const std::optional<std::string>& typed,
                                             const std::optional<std::string>& from_name,
                                             const char* option, std::ostream& err) {
  if (!typed && !from_name) {
    err << "scenario_tool compile: the file names do not follow the naming rule; give " << option << '\n';
    return std::nullopt;
  }
  return typed_identifier(typed ? *typed : *from_name, "scenario_tool compile", option, err);
}

}  // namespace

int run_compile(const CompileOptions& options, std::ostream& out, std::ostream& err) {
  const std::optional<std::string> scenario_from_name = scenario_id_from_line_name(options.line_path);
  const auto scenario_id = settle_identifier(options.scenario_id, scenario_from_name, "--scenario-id", err);
  if (!scenario_id) return kExitUsage;
  // The train file's name is matched against the scenario identifier as typed.
  const std::string typed_scenario = options.scenario_id ? *options.scenario_id : *scenario_from_name;
  const std::optional<std::string> train_from_name = train_id_from_train_name(options.train_path, typed_scenario);
  const auto train_id = settle_identifier(options.train_id, train_from_name, "--train-id", err);
  if (!train_id) return kExitUsage;

  // A file that cannot be read is the compile's to report: kLineMissing for the
  // line description (no file written), kReadingFailure for the train description
  // (the files written from the line alone).
  const auto silenced = rules_turned_off(options.no_warn, "scenario_tool compile", err);
  if (!silenced) return kExitUsage;
  const compiler::DescriptionFiles files{options.line_path, options.train_path, /*consume=*/false};
  compiler::CompileRequest request;
  request.silenced = *silenced;
  request.output_folder = options.output_folder;
  request.scenario_id = *scenario_id;
  request.train_id = *train_id;
  request.j = options.no_plan ? 0 : 1;
  request.sources = compiler::read_sources(files);

  compiler::CompiledModel model;
  const compiler::CompileResult result = compiler::memorizza_percorso(model, request);
  err << compiler::describe_outcome(result, {explain_hint, kCheckHint});
  if (result.status == compiler::CompileStatus::kWritten) {
    out << "compiled " << options.line_path << " and " << options.train_path << " into " << options.output_folder
        << '\n';
  }
  return result.exit_status();
}

// The command line of `scenario_tool compile`.
Command compile_command() {
  return {"compile",
          "Compile a line and a train description into the three binary files; the inputs are left as they are.",
          [](CLI::App& command) {
            auto options = std::make_shared<CompileOptions>();
            command.add_option("LINE", options->line_path, "Line description file (S_linea.txt)")->required();
            command.add_option("TRAIN", options->train_path, "Train description file (S_T-.txt)")->required();
            command.add_option("-o,--output", options->output_folder, "Folder for the binary files")
                ->capture_default_str();
            command.add_option("--scenario-id", options->scenario_id,
                               "Scenario identifier S (default: from LINE's name, S_linea.txt)");
            command.add_option("--train-id", options->train_id,
                               "Train identifier T (default: from TRAIN's name, S_T-.txt)");
            command.add_flag("--no-plan", options->no_plan, "No track plan and no line data file");
            command.add_option("-W,--no-warn", options->no_warn, kNoWarnHelp)->allow_extra_args(false);
            command.footer("Exit status: 0 compiled cleanly, 1 compiled with an error kind recorded, 2 stopped "
                           "without output (every earlier file unchanged), 3 the new files only partly renamed into "
                           "place (the message says which are new; compile again), 64 bad usage.");
            return CommandRunner([options](std::ostream& out, std::ostream& err) {
              return run_compile(*options, out, err);
            });
          }};
}

}  // namespace tools
