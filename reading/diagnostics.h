#pragma once
// Diagnostics as values, and the one way they leave the compiler: reported
// into a sink. Whether the reading goes on after an error is the sink's
// rule alone: the compile's sink records the error kind in the model and
// stops the reading, as the format requires; the check's sink collects every
// diagnostic and lets the reading go on.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reading/error_kinds.h"

namespace compiler {

enum class Severity { kError, kWarning, kNote };
std::string_view severity_name(Severity severity);

// A piece of the source line around the field at fault, cut to a sane width:
// a huge record shows only the bytes near its field.
struct SourceExcerpt {
  std::string text;        // raw bytes of the line, as they stand in the file
  std::size_t caret = 0;   // byte offset in text of the field
  bool cut_before = false;  // text starts after the line's start
  bool cut_after = false;   // text stops before the line's end
};

struct Diagnostic {
  Severity severity = Severity::kError;
  ErrorKind kind = ErrorKind::kNone;  // the error kind; kNone for warnings and notes
  WarningRule rule = WarningRule::kNone;  // the rule of a warning; kNone otherwise
  std::string file;       // as the caller named it
  int line = 0;           // 1-based; 0 when the diagnostic concerns the whole file (shown at 1:1)
  int column = 0;         // 1-based byte column of the field at fault; 0 with no line
  std::string message;
  std::vector<Diagnostic> notes;
  // For the record of the kind: metres, for the kinds that record a position.
  std::optional<std::int32_t> position;
  // The source line for the echo under the message; empty with no line.
  SourceExcerpt excerpt;
  // The same diagnostic met again on the following lines (the same field of
  // the same record kind, the same message), counted here instead of being
  // kept once per line: how many more, and the line of the last.
  std::size_t repeats = 0;
  int last_repeat_line = 0;
};

// The diagnostics a sink keeps to be shown: at most a limit of them, the
// same diagnostic on later lines counted on the first as its repeats, the
// rest past the limit only counted, and the warnings of silenced rules
// neither kept nor counted. Both sinks keep theirs this way.
class BoundedDiagnostics {
 public:
  explicit BoundedDiagnostics(std::size_t limit) : limit_(limit) {}
  // Warnings of rule are neither kept nor counted from now on.
  void silence(WarningRule rule) { silenced_.push_back(rule); }
  bool silenced(const Diagnostic& diagnostic) const;
  // Keeps diagnostic, counts it as a repeat of one kept, or counts it as
  // dropped past the limit.
  void keep(Diagnostic diagnostic);

  const std::vector<Diagnostic>& kept() const { return kept_; }
  // Diagnostics counted but not kept.
  std::size_t dropped() const { return dropped_; }

 private:
  std::size_t limit_;
  std::vector<WarningRule> silenced_;
  std::vector<Diagnostic> kept_;
  std::size_t dropped_ = 0;
  // Repeats are counted until the first diagnostic is dropped: after that a
  // repeat would be counted out of order.
  bool grouping_ = true;
};

// Receives every diagnostic of a compile or a check.
class DiagnosticSink {
 public:
  virtual ~DiagnosticSink() = default;
  // Takes one diagnostic.
  virtual void report(Diagnostic diagnostic) = 0;
  // After an error: true when the reading goes on with the next record as
  // if the faulty one were absent, false when the error ends the reading as
  // the compile's format requires. Warnings and the post-pass errors never
  // stop anything.
  virtual bool goes_on_after_errors() const = 0;
  // Told when an error ended the reading of a file with records left after
  // the faulty one's line.
  virtual void reading_stopped(const std::string& /*file*/, int /*line*/) {}
};

// The check's sink: keeps every diagnostic, up to a limit past which only
// the counts go on.
class CollectingSink : public DiagnosticSink {
 public:
  explicit CollectingSink(std::size_t limit = 1000) : kept_(limit) {}
  void report(Diagnostic diagnostic) override;
  bool goes_on_after_errors() const override { return true; }
  // Warnings of rule are neither kept nor counted from now on.
  void silence(WarningRule rule) { kept_.silence(rule); }

  const std::vector<Diagnostic>& diagnostics() const { return kept_.kept(); }
  std::size_t errors() const { return errors_; }
  std::size_t warnings() const { return warnings_; }
  // Diagnostics counted but not kept.
  std::size_t dropped() const { return kept_.dropped(); }

 private:
  BoundedDiagnostics kept_;
  std::size_t errors_ = 0;
  std::size_t warnings_ = 0;
};

// Where the lines of a text begin, so that a byte offset becomes a line and
// a column without counting from the start each time.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  // 1-based line and column of offset (clamped to the text).
  int line_of(std::size_t offset) const;
  int column_of(std::size_t offset) const;
  // Where the line holding offset ends (before its line end).
  std::size_t line_end(std::size_t offset) const;
  // The line holding offset, cut to about width bytes around offset.
  SourceExcerpt excerpt(std::size_t offset, std::size_t width = 200) const;

 private:
  std::size_t clamp(std::size_t offset) const { return offset < text_.size() ? offset : text_.size(); }
  std::size_t line_start(std::size_t offset) const;

  std::string_view text_;
  std::vector<std::size_t> starts_;
};

// The line and column a diagnostic of a file is shown at: a diagnostic about
// the whole file stands at 1:1, as gcc puts it, so that every editor's
// problem matcher takes it.
int shown_line(const Diagnostic& diagnostic);
int shown_column(const Diagnostic& diagnostic);

// What the program around the compiler adds to the line of an error of
// kind: the tool points at its explanation. Nothing by default.
using ErrorHint = std::string (*)(ErrorKind kind);

// One rule for every byte that reaches a terminal. Description text (a
// message quotes its fields) is Windows-1252: its letters are shown as
// their UTF-8 form, and whatever is no printable character (C0 and C1
// controls, DEL, undefined bytes) as \xNN; a line feed between the lines of
// a message stays. A path is shown as its UTF-8
// characters, and every byte that is not one, or is a control, as \xNN.
std::string terminal_text(std::string_view bytes);
std::string terminal_path(std::string_view path);

// The one text form of a diagnostic, gcc style (a diagnostic about the
// whole file at 1:1, without a source line; one with no file without a
// place):
//   FILE:LINE:COL: error KIND: MESSAGE HINT
//   FILE:LINE:COL: warning: MESSAGE [RULE]          (or note:)
//   <the source line>
//   <a caret under the field>
// then the notes the same way, and for repeats one note at the last:
//   FILE:LAST:COL: note: ... and N more like this, up to this line
// The message and the echoed line follow terminal_text, the file name
// terminal_path, so that no description file can drive the terminal; the
// caret stands under the field after the escaping and cutting. Ends with a
// line feed.
std::string render_diagnostic(const Diagnostic& diagnostic, ErrorHint hint = nullptr);
// The echoed line alone, as render_diagnostic shows it: the line, then the
// caret line.
std::string render_excerpt(const SourceExcerpt& excerpt);

}  // namespace compiler
