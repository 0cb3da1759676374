#include "compiler/errors.h"

#include "reading/explanations.h"

namespace compiler {

std::string format_recorded_error(std::int32_t kind, std::int32_t position, const std::optional<Diagnostic>& source) {
  std::string report;
  if (is_route_error(kind)) {
    report = "route: ";
  } else if (source && source->line > 0) {
    report = source->file + ":" + std::to_string(source->line) + ": ";
  } else if (source && !source->file.empty()) {
    report = source->file + ": ";
  }
  report += "error " + std::to_string(kind);
  if (error_has_position(kind)) report += " at " + std::to_string(position) + " m";
  report += ": ";
  const std::string_view meaning = error_meaning(kind);
  report += meaning.empty() ? std::string_view("unknown error kind") : meaning;
  report += explain_hint(kind) + '\n';
  if (source && source->line > 0 && !is_route_error(kind)) report += render_excerpt(source->excerpt);
  return report;
}

std::string errore_prompt(int number) { return " Errore n. " + std::to_string(number); }

}  // namespace compiler
