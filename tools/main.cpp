// scenario_tool: the authoring tool. Each command is a function over the
// library (tools/commands.h); this file only parses the command line.

#include <CLI/CLI.hpp>

#include <iostream>
#include <new>

#include "platform/files.h"

#include "tools/command_line.h"
#include "tools/commands.h"

// Memory running out anywhere, the command line included, ends with a
// message and exit status 2, never an abort.
int main(int argc, char** argv) try {
  platform::ignore_file_size_signal();
  CLI::App app{"Authoring tool for train scenarios: export the embedded texts, compile description files, "
               "decode compiled files."};
  app.require_subcommand(1);
  tools::set_up_command_line(app, SCENARIO_VERSION);

  std::string sources_folder;
  auto* sources = app.add_subcommand("sources", "Write the five embedded texts into DIR, as the program writes them.");
  sources->add_option("DIR", sources_folder, "Folder to write into")->required();

  tools::CompileOptions compile_options;
  auto* compile = app.add_subcommand(
      "compile", "Compile a line and a train description into the three binary files; the inputs are left as they are.");
  compile->add_option("LINE", compile_options.line_path, "Line description file (S_linea.txt)")->required();
  compile->add_option("TRAIN", compile_options.train_path, "Train description file (S_T-.txt)")->required();
  compile->add_option("-o,--output", compile_options.output_folder, "Folder for the binary files")
      ->capture_default_str();
  compile->add_option("--scenario-id", compile_options.scenario_id,
                      "Scenario identifier S (default: from LINE's name, S_linea.txt)");
  compile->add_option("--train-id", compile_options.train_id,
                      "Train identifier T (default: from TRAIN's name, S_T-.txt)");
  compile->add_flag("--no-plan", compile_options.no_plan, "No track plan and no line data file");
  compile->footer("Exit status: 0 compiled cleanly, 1 compiled with an error kind recorded, 2 stopped without "
                  "output (every earlier file unchanged), 3 the new files only partly renamed into place (the "
                  "message says which are new; compile again), 64 bad usage.");

  tools::CheckOptions check_options;
  auto* check = app.add_subcommand(
      "check", "Report every problem of a line and a train description in one run: errors, warnings, the field at "
               "fault. Writes no file.");
  check->add_option("LINE", check_options.line_path, "Line description file (S_linea.txt)")->required();
  check->add_option("TRAIN", check_options.train_path, "Train description file (S_T-.txt)")->required();
  check->add_option("--format", check_options.format, "text (gcc style, for a terminal) or json")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  check->footer("Exit status: 0 no error (warnings allowed), 1 errors found, 64 bad usage.");

  tools::DumpOptions dump_options;
  auto* dump = app.add_subcommand("dump", "Decode a route file (.dat), scenario file (.sim) or line data file "
                                          "(_linea.dat) and print it as JSON or CSV.");
  dump->add_option("FILE", dump_options.file, "Compiled file")->required();
  dump->add_flag("--csv", dump_options.csv, "One CSV row per cell, entry or metre instead of JSON");
  dump->add_flag("--decoded", dump_options.decoded, "With --csv: add the decoded columns beside the raw ones");

  tools::PlotOptions plot_options;
  auto* plot = app.add_subcommand("plot", "Draw the plan and profile of the compiled scenario in DIR as one SVG file.");
  plot->add_option("DIR", plot_options.folder, "Folder holding S_T.dat, S_T.sim and (unless --no-plan) S_linea.dat")
      ->required();
  plot->add_option("-o,--output", plot_options.output, "SVG file to write (default: S_T.svg in DIR)");
  plot->add_option("--scenario-id", plot_options.scenario_id,
                   "Scenario identifier S (default: the only scenario in DIR)");
  plot->add_option("--train-id", plot_options.train_id, "Train identifier T (default: the only scenario in DIR)");

  tools::NewOptions new_options;
  auto* create = app.add_subcommand("new", "Write a small line and train description to start a new scenario "
                                           "from: NAME_linea.txt and NAME_T-.txt.");
  create->add_option("NAME", new_options.name, "Scenario identifier")->required();
  create->add_option("-o,--output", new_options.folder, "Folder to write into")->capture_default_str();
  create->add_option("--train-id", new_options.train_id, "Train identifier T")->capture_default_str();

  std::string editors_folder;
  auto* editors = app.add_subcommand("editors", "Write the Vim syntax files (DIR/vim) and the VS Code extension "
                                                "with TextMate grammars and a problem matcher (DIR/vscode).");
  editors->add_option("DIR", editors_folder, "Folder to write into")->required();

  tools::FormatsOptions formats_options;
  formats_options.version = SCENARIO_VERSION;
  auto* formats = app.add_subcommand("formats", "Print the reference of the line and train description files "
                                                "(docs/description-files.md) as Markdown or as a manual page.");
  formats->add_flag("--man", formats_options.man, "The manual page scenario_tool-formats(5) instead");
  formats->add_option("-o,--output", formats_options.output, "File to write (default: standard output)");

  std::optional<std::string> explain_kind;
  auto* explain = app.add_subcommand("explain", "Explain an error kind, with a wrong and a corrected example; "
                                                "without KIND, list the kinds.");
  explain->add_option("KIND", explain_kind, "Error kind, as in \"error 16\"");

  tools::ServeOptions serve_options;
  auto* serve = app.add_subcommand(
      "serve", "Show LINE and TRAIN in the browser, compiled again at every save (http://127.0.0.1 only).");
  serve->add_option("LINE", serve_options.line_path, "Line description file (S_linea.txt)")->required();
  serve->add_option("TRAIN", serve_options.train_path, "Train description file (S_T-.txt)")->required();
  serve->add_option("--port", serve_options.port, "Port to listen on; 0 takes a free one")->capture_default_str();
  serve->add_option("--scenario-id", serve_options.scenario_id,
                    "Scenario identifier S (default: from LINE's name, S_linea.txt)");
  serve->add_option("--train-id", serve_options.train_id, "Train identifier T (default: from TRAIN's name, S_T-.txt)");
  serve->add_flag("--no-plan", serve_options.no_plan, "No track plan");

  if (const auto status = tools::parse_command_line(app, argc, argv)) return *status;

  if (*sources) return tools::run_sources(sources_folder, std::cout, std::cerr);
  if (*compile) return tools::run_compile(compile_options, std::cout, std::cerr);
  if (*check) return tools::run_check(check_options, std::cout, std::cerr);
  if (*dump) return tools::run_dump(dump_options, std::cout, std::cerr);
  if (*plot) return tools::run_plot(plot_options, std::cout, std::cerr);
  if (*serve) return tools::run_serve(serve_options, std::cout, std::cerr);
  if (*create) return tools::run_new(new_options, std::cout, std::cerr);
  if (*editors) return tools::run_editors(editors_folder, std::cout, std::cerr);
  if (*formats) return tools::run_formats(formats_options, std::cout, std::cerr);
  if (*explain) return tools::run_explain(explain_kind, std::cout, std::cerr);
  return tools::kExitUsage;
} catch (const std::bad_alloc&) {
  std::cout.flush();
  std::cerr << "scenario_tool: out of memory; stopped\n";
  return tools::kExitStopped;
}
