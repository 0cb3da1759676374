#include "tools/identifiers.h"

#include <ostream>

#include "naming/identifiers.h"

namespace tools {

std::optional<std::string> typed_identifier(std::string_view utf8, std::string_view command,
                                            std::string_view option, std::ostream& err) {
  auto bytes = naming::utf8_to_1252(utf8);
  if (!bytes) {
    err << command << ": " << option << " \"" << utf8 << "\" holds a character that Windows-1252 cannot represent\n";
    return std::nullopt;
  }
  if (std::string problem = naming::identifier_problem(*bytes); !problem.empty()) {
    err << command << ": " << option << " \"" << utf8 << "\" cannot name files: " << problem << '\n';
    return std::nullopt;
  }
  return bytes;
}

}  // namespace tools
