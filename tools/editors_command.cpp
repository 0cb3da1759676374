#include <filesystem>
#include <ostream>

#include "platform/files.h"
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

}  // namespace tools
