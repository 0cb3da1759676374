#include <filesystem>
#include <memory>
#include <ostream>

#include "naming/file_names.h"
#include "platform/files.h"
#include "tools/command.h"
#include "tools/commands.h"
#include "tools/identifiers.h"

namespace tools {
namespace {

// A short line to start from: 6 km with every kind of line record, each one
// where it compiles cleanly with the train below.
constexpr std::string_view kSampleLine[] = {
    "[generale]",
    "lunghezza percorso,    6000",
    "progressiva chilometrica uno,    0,    0,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    0",
    "sfondo due,    0",
    "sfondo tre,    0",
    "ripetizione segnali 4 codici,    1000,    5000",
    "[curve]",
    "curvas3,  2000,  600",
    "[pendenze]",
    "pendenza,  0,   0",
    "pendenza,  1500,   6",
    "pendenza,  3500,   0",
    "[montagne]",
    "montagna,   2500,  3200,  12",
    "[cartelli]",
    "indicatori_vmax,  1000,  90,  100,  110,  0,  ,  ,  ,  0",
    "[indicazioni]",
    "cartello_indicatore,  2450,   (GALLERIA)(DEL COLLE)(Km 2+500)",
    "[fine]",
};

// A train over it: two stations, two signals and a slowdown.
constexpr std::string_view kSampleTrain[] = {
    "[generale]",
    "numero vetture,    6",
    "percentuale massa frenata,    120",
    "sabbia,    200",
    "orologio,    8  0  0",
    "[aderenze]",
    "aderenza,   0,    100",
    "[vel_limite]",
    "velocita,   0,    30",
    "velocita,     600,   100",
    "velocita,    5100,    30",
    "[stazioni]",
    "stazione,       0,  8,  400,  0, 0, 0,  1,1,0,  4,1,1,    1,   8, 0, 0, PARTENZA",
    "stazione,    5500,  2,  400,  0, 0, 0,  1,1,0,  2,1,1,    0,   8, 7, 0, ARRIVO",
    "[rallentamenti]",
    "rallentamento,    3000,   60,   400,  0,  1,  0",
    "[segnali]",
    "segnale,    1050,   2, 4, 1, 0, 0,   0, 0, 0, 0, 0",
    "segnale,    4500,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0",
    "[codici]",
    "[fine]",
};

template <std::size_t N>
std::string document(const std::string_view (&lines)[N]) {
  std::string text;
  for (const std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace

int run_new(const NewOptions& options, std::ostream& out, std::ostream& err) {
  for (const auto& [identifier, option] : {std::pair{&options.name, "NAME"}, std::pair{&options.train_id, "--train-id"}}) {
    if (!typed_identifier(*identifier, "scenario_tool new", option, err)) return kExitUsage;
  }
  // The names stay as typed: compile reads the identifiers back from them.
  const std::string line_path = platform::join_path(options.folder, naming::line_description_name(options.name));
  const std::string train_path =
      platform::join_path(options.folder, naming::train_description_name(options.name, options.train_id));
  for (const std::string* path : {&line_path, &train_path}) {
    if (platform::file_exists(*path)) {
      err << "scenario_tool new: " << *path << " already exists; nothing written\n";
      return kExitStopped;
    }
  }
  std::error_code ignored;
  std::filesystem::create_directories(options.folder, ignored);
  try {
    platform::replace_file(line_path, document(kSampleLine));
    platform::replace_file(train_path, document(kSampleTrain));
  } catch (const platform::FileError& error) {
    err << "scenario_tool new: cannot write " << error.path() << ": " << error.reason() << '\n';
    return kExitStopped;
  }
  out << "wrote " << line_path << " and " << train_path << "\ncompile them with: scenario_tool compile "
      << line_path << ' ' << train_path << " -o " << options.folder << '\n';
  return kExitClean;
}

// The command line of `scenario_tool new`.
Command new_command() {
  return {"new",
          "Write a small line and train description to start a new scenario from: NAME_linea.txt and NAME_T-.txt.",
          [](CLI::App& command) {
            auto options = std::make_shared<NewOptions>();
            command.add_option("NAME", options->name, "Scenario identifier")->required();
            command.add_option("-o,--output", options->folder, "Folder to write into")->capture_default_str();
            command.add_option("--train-id", options->train_id, "Train identifier T")->capture_default_str();
            return CommandRunner([options](std::ostream& out, std::ostream& err) {
              return run_new(*options, out, err);
            });
          }};
}

}  // namespace tools
