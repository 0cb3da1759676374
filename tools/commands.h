#pragma once
// The authoring tool's commands, each a function over the library. They
// write their reports to the streams given and return the exit status. The
// command line of each is defined beside its function, in its own file
// (tools/command.h).

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tools {

// Exit statuses shared by the commands.
inline constexpr int kExitClean = 0;
inline constexpr int kExitRecorded = 1;  // compiled and written, an error kind recorded
inline constexpr int kExitStopped = 2;   // stopped without output
inline constexpr int kExitUsage = 64;
inline constexpr int kExitUnavailable = 69;  // serve: the port cannot be listened on

// Writes the five embedded texts into folder, as the program writes them.
int run_sources(const std::string& folder, std::ostream& out, std::ostream& err);

struct CompileOptions {
  std::string line_path;
  std::string train_path;
  std::string output_folder = ".";
  std::optional<std::string> scenario_id;  // UTF-8, as typed
  std::optional<std::string> train_id;     // UTF-8, as typed
  bool no_plan = false;
  std::vector<std::string> no_warn;  // names of the warning rules turned off
};

// Compiles two description files, leaving them as they are.
int run_compile(const CompileOptions& options, std::ostream& out, std::ostream& err);

struct CheckOptions {
  std::string line_path;
  std::string train_path;
  std::string format = "text";  // text or json
  std::vector<std::string> no_warn;  // names of the warning rules turned off
  bool warnings_as_errors = false;   // warnings fail the exit status too
};

// Reads two description files and reports every problem in one run,
// writing no file: 0 without errors (warnings allowed), 1 with errors.
int run_check(const CheckOptions& options, std::ostream& out, std::ostream& err);

// Serves the Language Server Protocol: messages framed on in, replies and
// diagnostics on out, logs on err. is_stdin: in is the process's standard
// input, which is polled for waiting messages before each check.
int run_lsp(std::istream& in, std::ostream& out, std::ostream& err, bool is_stdin);

struct DumpOptions {
  std::string file;
  bool csv = false;
  bool decoded = false;  // CSV: add the decoded columns beside the raw ones
};

// Decodes a compiled file and prints it as JSON (raw fields with their
// meanings beside them) or CSV (raw fields; with decoded, the meanings too).
int run_dump(const DumpOptions& options, std::ostream& out, std::ostream& err);

// What to draw and where: the folder of the compiled files, the picture file.
struct PlotOptions {
  std::string folder;
  std::optional<std::string> output;       // default: S_T.svg in folder
  std::optional<std::string> scenario_id;  // UTF-8, as typed; with train_id or not at all
  std::optional<std::string> train_id;
};

// Draws the plan and profile of a compiled scenario as one SVG file.
int run_plot(const PlotOptions& options, std::ostream& out, std::ostream& err);

struct NewOptions {
  std::string name;  // the scenario identifier S, UTF-8 as typed
  std::string folder = ".";
  std::string train_id = "1";
};

// Writes a small pair of description files, S_linea.txt and S_T-.txt, that
// compiles cleanly; never replaces a file that is there.
int run_new(const NewOptions& options, std::ostream& out, std::ostream& err);

// Writes the Vim syntax files and the VS Code extension (TextMate grammars,
// problem matcher) into folder.
int run_editors(const std::string& folder, std::ostream& out, std::ostream& err);

struct FormatsOptions {
  bool man = false;                   // the manual page instead of Markdown
  std::optional<std::string> output;  // default: standard output
  std::string version;                // named in the manual page's footer
};

// The reference of the description files (docs/description-files.md, or
// the manual page scenario_tool-formats(5)).
std::string formats_text(bool man, const std::string& version);
int run_formats(const FormatsOptions& options, std::ostream& out, std::ostream& err);

// Prints the explanation of one error kind, or the list of kinds without
// one; a kind that does not exist is a usage error.
int run_explain(const std::optional<std::string>& kind, std::ostream& out, std::ostream& err);

struct FmtOptions {
  std::vector<std::string> files;
  bool check = false;  // write nothing; list the files that would change
};

// Rewrites each description file in the canonical layout (tools/formatter.h)
// where that changes it. 0 when every file could be read (and written); with
// check, 1 when a file would change; 2 when a file could not be read or
// written.
int run_fmt(const FmtOptions& options, std::ostream& out, std::ostream& err);

struct ServeOptions {
  std::string line_path;
  std::string train_path;
  int port = 0;  // 0: any free port
  std::optional<std::string> scenario_id;  // UTF-8, as typed
  std::optional<std::string> train_id;     // UTF-8, as typed
  bool no_plan = false;
};

// Serves a live view of two description files on 127.0.0.1 until
// interrupted, compiling them again whenever one is saved.
int run_serve(const ServeOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tools
