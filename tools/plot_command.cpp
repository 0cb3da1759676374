#include <memory>
#include <ostream>

#include "naming/file_names.h"
#include "platform/files.h"
#include "tools/command.h"
#include "tools/commands.h"
#include "tools/compiled_scenario.h"
#include "tools/identifiers.h"
#include "tools/scenario_picture.h"

namespace tools {
namespace {

std::string default_output(const PlotOptions& options, const CompiledScenario& scenario) {
  return platform::join_path(options.folder, naming::drawing_name(scenario.scenario_id, scenario.train_id));
}

}  // namespace

int run_plot(const PlotOptions& options, std::ostream& out, std::ostream& err) {
  if (options.scenario_id.has_value() != options.train_id.has_value()) {
    err << "scenario_tool plot: give --scenario-id and --train-id together, or neither\n";
    return kExitUsage;
  }
  std::optional<std::string> scenario_id;
  std::optional<std::string> train_id;
  if (options.scenario_id) {
    scenario_id = typed_identifier(*options.scenario_id, "scenario_tool plot", "--scenario-id", err);
    train_id = typed_identifier(*options.train_id, "scenario_tool plot", "--train-id", err);
    if (!scenario_id || !train_id) return kExitUsage;
  }

  const LoadedScenario loaded = load_compiled_scenario(options.folder, scenario_id, train_id);
  if (!loaded.scenario) {
    err << "scenario_tool plot: " << loaded.error << '\n';
    return loaded.exit_status;
  }
  const Picture picture = scenario_picture(*loaded.scenario);
  if (!picture.ok()) {
    err << "scenario_tool plot: " << picture.error << '\n';
    return kExitStopped;
  }
  const std::string output = options.output ? *options.output : default_output(options, *loaded.scenario);
  try {
    platform::replace_file(output, picture.svg);
  } catch (const platform::FileError& error) {
    err << "scenario_tool plot: cannot write " << error.path() << ": " << error.reason() << '\n';
    return kExitStopped;
  }
  out << "wrote " << output << '\n';
  return kExitClean;
}

// The command line of `scenario_tool plot`.
Command plot_command() {
  return {"plot", "Draw the plan and profile of the compiled scenario in DIR as one SVG file.", [](CLI::App& command) {
            auto options = std::make_shared<PlotOptions>();
            command
                .add_option("DIR", options->folder,
                            "Folder holding S_T.dat, S_T.sim and (unless --no-plan) S_linea.dat")
                ->required();
            command.add_option("-o,--output", options->output, "SVG file to write (default: S_T.svg in DIR)");
            command.add_option("--scenario-id", options->scenario_id,
                               "Scenario identifier S (default: the only scenario in DIR)");
            command.add_option("--train-id", options->train_id,
                               "Train identifier T (default: the only scenario in DIR)");
            return CommandRunner([options](std::ostream& out, std::ostream& err) {
              return run_plot(*options, out, err);
            });
          }};
}

}  // namespace tools
