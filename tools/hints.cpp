#include "tools/hints.h"

namespace tools {

std::string explain_hint(compiler::ErrorKind kind) {
  const compiler::ErrorKindRow* row = compiler::find_error_kind(kind);
  if (!row || row->text.empty()) return {};
  return " (scenario_tool explain " + std::to_string(compiler::number(kind)) + ")";
}

std::optional<std::vector<compiler::WarningRule>> rules_turned_off(const std::vector<std::string>& names,
                                                                   std::string_view command, std::ostream& err) {
  std::vector<compiler::WarningRule> rules;
  for (const std::string& name : names) {
    const std::optional<compiler::WarningRule> rule = compiler::warning_rule_named(name);
    if (!rule) {
      err << command << ": --no-warn takes a warning rule, not '" << name << "'; scenario_tool explain lists them\n";
      return std::nullopt;
    }
    rules.push_back(*rule);
  }
  return rules;
}

}  // namespace tools
