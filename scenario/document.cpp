#include "scenario/document.h"

#include "platform/files.h"

namespace scenario {

std::string document_bytes(LineTable lines) {
  std::string bytes;
  for (std::string_view line : lines.first(std::min(lines.size(), kLineTableCapacity))) {
    if (line == kEndMarker) break;
    bytes.append(line);
    bytes.append("\r\n");
  }
  return bytes;
}

void write_document(const std::string& folder, const std::string& name, LineTable lines) {
  platform::replace_file(platform::join_path(folder, name), document_bytes(lines));
}

}  // namespace scenario
