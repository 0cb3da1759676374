#include "tools/diagnostic_json.h"

#include <string>
#include <string_view>

#include "naming/identifiers.h"

namespace tools {
namespace {

bool is_utf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0x80) {
      if (lead >= 0xC2 && lead <= 0xDF) length = 2;
      else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
      else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
      else return false;
      if (i + length > text.size()) return false;
      for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
      }
    }
    i += length;
  }
  return true;
}

std::string as_utf8(const std::string& text) { return is_utf8(text) ? text : naming::windows1252_to_utf8(text); }

}  // namespace

nlohmann::json diagnostic_json(const compiler::Diagnostic& diagnostic) {
  nlohmann::json object;
  object["file"] = as_utf8(diagnostic.file);
  const bool placed = !diagnostic.file.empty();
  object["line"] = placed ? nlohmann::json(compiler::shown_line(diagnostic)) : nlohmann::json(nullptr);
  object["column"] = placed ? nlohmann::json(compiler::shown_column(diagnostic)) : nlohmann::json(nullptr);
  object["severity"] = std::string(compiler::severity_name(diagnostic.severity));
  const bool has_kind =
      diagnostic.severity == compiler::Severity::kError && diagnostic.kind != compiler::ErrorKind::kNone;
  object["kind"] = has_kind ? nlohmann::json(compiler::number(diagnostic.kind)) : nlohmann::json(nullptr);
  const std::string_view rule = compiler::rule_name(diagnostic.rule);
  object["rule"] = rule.empty() ? nlohmann::json(nullptr) : nlohmann::json(std::string(rule));
  object["message"] = as_utf8(diagnostic.message);
  object["notes"] = diagnostics_json(diagnostic.notes);
  // The same diagnostic on the following lines, counted on this one.
  if (diagnostic.repeats > 0) {
    object["repeats"] = diagnostic.repeats;
    object["last_repeat_line"] = diagnostic.last_repeat_line;
  }
  return object;
}

nlohmann::json diagnostics_json(const std::vector<compiler::Diagnostic>& diagnostics) {
  nlohmann::json array = nlohmann::json::array();
  for (const compiler::Diagnostic& diagnostic : diagnostics) array.push_back(diagnostic_json(diagnostic));
  return array;
}

}  // namespace tools
