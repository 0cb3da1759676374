#include <filesystem>
#include <memory>
#include <ostream>

#include "platform/files.h"
#include "tools/command.h"
#include "tools/commands.h"
#include "tools/editor_files.h"

namespace tools {

int run_editors(const std::string& folder, std::ostream& out, std::ostream& err) {
  const std::vector<EditorFile> files = editor_files(description_languages());
  for (const EditorFile& file : files) {
    const std::filesystem::path path = std::filesystem::path(folder) / file.path;
    std::error_code failure;
    std::filesystem::create_directories(path.parent_path(), failure);
    try {
      platform::replace_file(path.string(), file.text);
    } catch (const platform::FileError& error) {
      err << "scenario_tool editors: cannot write " << error.path() << ": " << error.reason() << '\n';
      return kExitStopped;
    }
  }
  out << "wrote " << files.size() << " editor files into " << folder << '\n';
  return kExitClean;
}

// The command line of `scenario_tool editors`.
Command editors_command() {
  return {"editors",
          "Write the Vim syntax files (DIR/vim), the Neovim setup of the language server (DIR/nvim) and the VS "
          "Code extension with TextMate grammars and a problem matcher (DIR/vscode).",
          [](CLI::App& command) {
            auto folder = std::make_shared<std::string>();
            command.add_option("DIR", *folder, "Folder to write into")->required();
            return CommandRunner([folder](std::ostream& out, std::ostream& err) {
              return run_editors(*folder, out, err);
            });
          }};
}

}  // namespace tools
