#include "tools/hints.h"

namespace tools {

std::string explain_hint(compiler::ErrorKind kind) {
  const compiler::ErrorKindRow* row = compiler::find_error_kind(kind);
  if (!row || row->text.empty()) return {};
  return " (scenario_tool explain " + std::to_string(compiler::number(kind)) + ")";
}

}  // namespace tools
