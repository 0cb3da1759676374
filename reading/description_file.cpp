#include "reading/description_file.h"

#include "platform/files.h"

namespace compiler {

SourceText read_source(const std::string& path) {
  SourceText source;
  source.name = path;
  try {
    std::optional<std::string> bytes = platform::read_file(path);
    if (bytes) {
      source.bytes = std::move(*bytes);
    } else {
      source.state = SourceState::kMissing;
      source.reason = "No such file or directory";
    }
  } catch (const platform::FileError& error) {
    source.state = SourceState::kUnreadable;
    source.reason = error.reason();
  }
  return source;
}

void DescriptionFile::open() {
  reader_ = FieldReader(source_.bytes);
  open_ = true;
}

std::string DescriptionFile::field_name(std::size_t index) const {
  if (spec_ && index < spec_->fields.size()) return std::string(spec_->fields[index].name);
  return "field " + std::to_string(index + 1);
}

const LineIndex& DescriptionFile::lines() const {
  if (!lines_) lines_ = std::make_unique<LineIndex>(source_.bytes);
  return *lines_;
}

Diagnostic DescriptionFile::diagnostic_at(std::size_t offset, Severity severity, ErrorKind kind,
                                          std::string message) const {
  Diagnostic diagnostic;
  diagnostic.severity = severity;
  diagnostic.kind = kind;
  diagnostic.file = source_.name;
  diagnostic.line = lines().line_of(offset);
  diagnostic.column = lines().column_of(offset);
  diagnostic.message = std::move(message);
  diagnostic.excerpt = lines().excerpt(offset);
  return diagnostic;
}

Diagnostic DescriptionFile::diagnostic_for_file(Severity severity, ErrorKind kind, std::string message) const {
  Diagnostic diagnostic;
  diagnostic.severity = severity;
  diagnostic.kind = kind;
  diagnostic.file = source_.name;
  diagnostic.message = std::move(message);
  return diagnostic;
}

Diagnostic DescriptionFile::warning_at(std::size_t offset, WarningRule rule, std::string message) const {
  Diagnostic diagnostic = diagnostic_at(offset, Severity::kWarning, ErrorKind::kNone, std::move(message));
  diagnostic.rule = rule;
  return diagnostic;
}

Diagnostic DescriptionFile::warning_for_file(WarningRule rule, std::string message) const {
  Diagnostic diagnostic = diagnostic_for_file(Severity::kWarning, ErrorKind::kNone, std::move(message));
  diagnostic.rule = rule;
  return diagnostic;
}

}  // namespace compiler
