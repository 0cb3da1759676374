#include <charconv>
#include <memory>
#include <ostream>

#include "reading/error_kinds.h"
#include "tools/command.h"
#include "tools/commands.h"

namespace tools {
namespace {

// "1 to 13, 15 to 22, 24, 25, 101 to 103, 1250, 1251": the kinds that have
// an explanation, runs of consecutive kinds joined.
std::string kind_list() {
  std::string list;
  const auto rows = compiler::error_kinds();
  const auto number_at = [&rows](std::size_t i) { return compiler::number(rows[i].kind); };
  for (std::size_t i = 0; i < rows.size();) {
    std::size_t last = i;
    while (last + 1 < rows.size() && number_at(last + 1) == number_at(last) + 1) ++last;
    if (!list.empty()) list += ", ";
    list += std::to_string(number_at(i));
    if (last >= i + 2) {
      list += " to " + std::to_string(number_at(last));
    } else if (last == i + 1) {
      list += ", " + std::to_string(number_at(last));
    }
    i = last + 1;
  }
  return list;
}

// "utf8-text, byte-order-mark, ...": the names of the warning rules.
std::string rule_list() {
  std::string list;
  for (const compiler::WarningRuleRow& row : compiler::warning_rules()) {
    if (!list.empty()) list += ", ";
    list += row.name;
  }
  return list;
}

}  // namespace

int run_explain(const std::optional<std::string>& kind_text, std::ostream& out, std::ostream& err) {
  if (!kind_text) {
    for (const compiler::ErrorKindRow& row : compiler::error_kinds()) {
      out << compiler::number(row.kind) << '\t' << row.meaning << '\n';
    }
    for (const compiler::WarningRuleRow& row : compiler::warning_rules()) {
      out << row.name << '\t' << row.meaning << '\n';
    }
    return kExitClean;
  }
  if (const std::optional<compiler::WarningRule> rule = compiler::warning_rule_named(*kind_text)) {
    out << compiler::format_explanation(*compiler::find_warning_rule(*rule));
    return kExitClean;
  }
  std::int32_t kind = 0;
  const char* const end = kind_text->data() + kind_text->size();
  const auto [stop, failure] = std::from_chars(kind_text->data(), end, kind);
  const std::optional<compiler::ErrorKind> known =
      failure == std::errc{} && stop == end ? compiler::error_kind_of(kind) : std::nullopt;
  if (!known) {
    err << "scenario_tool explain: " << *kind_text << " is not an error kind or a warning rule; the kinds are "
        << kind_list() << "; the rules are " << rule_list() << '\n';
    return kExitUsage;
  }
  out << compiler::format_explanation(*compiler::find_error_kind(*known));
  return kExitClean;
}

// The command line of `scenario_tool explain`.
Command explain_command() {
  return {"explain",
          "Explain an error kind or a warning rule, with a wrong and a corrected example; without KIND, list "
          "them.",
          [](CLI::App& command) {
            auto kind = std::make_shared<std::optional<std::string>>();
            command.add_option("KIND", *kind,
                               "Error kind, as in \"error 16\", or warning rule, as in \"[value-wraps]\"");
            return CommandRunner([kind](std::ostream& out, std::ostream& err) {
              return run_explain(*kind, out, err);
            });
          }};
}

}  // namespace tools
