#include "reading/diagnostics.h"

#include <algorithm>
#include <cstring>
#include <cstdio>

#include "naming/identifiers.h"
#include "reading/text.h"

namespace compiler {
namespace {

// The length of a well-formed UTF-8 sequence of a printable character
// starting at text[i], or 0. The C1 controls (U+0080 to U+009F) count as not
// printable: some terminals obey them.
std::size_t printable_utf8_length(std::string_view text, std::size_t i) {
  const std::optional<naming::Utf8Char> character = naming::utf8_char_at(text, i);
  if (!character || character->code_point < 0xA0) return 0;
  return character->length;
}

std::string escaped_byte(unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02x", byte);
  return text;
}

constexpr std::string_view kEllipsis = "...";

// How one byte of a description file stands on a terminal: printable ASCII
// as it is, a Windows-1252 letter as its UTF-8 form (0x9B is '›'), and
// whatever is no printable character (C0 and C1 controls, DEL, the bytes
// the code page leaves undefined) as \xNN. Empty for a tab, which the
// caller shows as a blank.
std::string shown_byte(unsigned char byte) {
  if (byte >= 0x20 && byte < 0x7F) return std::string(1, static_cast<char>(byte));
  if (byte < 0x80) return escaped_byte(byte);
  const std::string utf8 = naming::windows1252_to_utf8(std::string(1, static_cast<char>(byte)));
  // The undefined bytes decode to the C1 controls of the same value.
  if (printable_utf8_length(utf8, 0) != utf8.size()) return escaped_byte(byte);
  return utf8;
}

}  // namespace

std::string terminal_text(std::string_view bytes) {
  std::string shown;
  shown.reserve(bytes.size());
  // A line feed is the compiler's own, between the lines of one message:
  // the fields a message quotes have their controls escaped already.
  for (const char c : bytes) shown += c == '\n' ? std::string(1, c) : shown_byte(static_cast<unsigned char>(c));
  return shown;
}

std::string terminal_path(std::string_view path) {
  std::string shown;
  for (std::size_t i = 0; i < path.size();) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      shown += static_cast<char>(byte);
      ++i;
    } else if (const std::size_t length = byte >= 0x80 ? printable_utf8_length(path, i) : 0; length > 0) {
      shown.append(path.substr(i, length));
      i += length;
    } else {
      shown += escaped_byte(byte);
      ++i;
    }
  }
  return shown;
}

std::string_view severity_name(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      return "note";
  }
  return "error";
}

namespace {

// True when next says again what kept says, at a later line of the same
// file: the same severity, kind or rule, column and message, with no notes
// that could tell them apart.
bool repeats_diagnostic(const Diagnostic& kept, const Diagnostic& next) {
  const int last_line = kept.repeats > 0 ? kept.last_repeat_line : kept.line;
  return kept.line > 0 && next.line > last_line && kept.severity == next.severity && kept.kind == next.kind &&
         kept.rule == next.rule && kept.column == next.column && kept.notes.empty() && next.notes.empty() &&
         kept.file == next.file && kept.message == next.message;
}

// The diagnostic among the last few kept that next repeats, if any: a
// record can give several warnings, and the repeats of each are counted
// even when they come in turn.
Diagnostic* repeated_in(std::vector<Diagnostic>& kept, const Diagnostic& next) {
  constexpr std::size_t kLookBack = 4;
  const std::size_t first = kept.size() > kLookBack ? kept.size() - kLookBack : 0;
  for (std::size_t i = kept.size(); i > first; --i) {
    if (repeats_diagnostic(kept[i - 1], next)) return &kept[i - 1];
  }
  return nullptr;
}

}  // namespace

bool BoundedDiagnostics::silenced(const Diagnostic& diagnostic) const {
  return diagnostic.severity == Severity::kWarning &&
         std::find(silenced_.begin(), silenced_.end(), diagnostic.rule) != silenced_.end();
}

void BoundedDiagnostics::keep(Diagnostic diagnostic) {
  if (Diagnostic* repeated = grouping_ ? repeated_in(kept_, diagnostic) : nullptr) {
    ++repeated->repeats;
    repeated->last_repeat_line = diagnostic.line;
  } else if (kept_.size() < limit_) {
    kept_.push_back(std::move(diagnostic));
  } else {
    ++dropped_;
    grouping_ = false;
  }
}

void CollectingSink::report(Diagnostic diagnostic) {
  if (kept_.silenced(diagnostic)) return;
  if (diagnostic.severity == Severity::kError) ++errors_;
  if (diagnostic.severity == Severity::kWarning) ++warnings_;
  kept_.keep(std::move(diagnostic));
}

LineIndex::LineIndex(std::string_view text) : text_(text) {
  // A line ends at "\n", "\r\n" or a lone "\r". The file is searched for
  // the line feeds, and each line between them for carriage returns, with
  // memchr: the index is made over the whole file at its first diagnostic.
  starts_.push_back(0);
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* line = begin;
  while (line < end) {
    const void* found = std::memchr(line, '\n', static_cast<std::size_t>(end - line));
    const char* const feed = found != nullptr ? static_cast<const char*>(found) : end;
    for (const char* at = line; at < feed;) {
      const void* cr = std::memchr(at, '\r', static_cast<std::size_t>(feed - at));
      if (cr == nullptr) break;
      const char* const carriage = static_cast<const char*>(cr);
      // A "\r" just before the "\n" is one line end with it.
      if (carriage + 1 != feed || feed == end) starts_.push_back(static_cast<std::size_t>(carriage + 1 - begin));
      at = carriage + 1;
    }
    if (feed == end) break;
    starts_.push_back(static_cast<std::size_t>(feed + 1 - begin));
    line = feed + 1;
  }
}

std::size_t LineIndex::line_start(std::size_t offset) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), clamp(offset));
  return *(after - 1);
}

int LineIndex::line_of(std::size_t offset) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), clamp(offset));
  return static_cast<int>(after - starts_.begin());
}

int LineIndex::column_of(std::size_t offset) const {
  return static_cast<int>(clamp(offset) - line_start(offset)) + 1;
}

std::size_t LineIndex::line_end(std::size_t offset) const {
  return scan_to(text_, clamp(offset), kLineEndBytes);
}

SourceExcerpt LineIndex::excerpt(std::size_t offset, std::size_t width) const {
  offset = clamp(offset);
  const std::size_t start = line_start(offset);
  const std::size_t begin = offset - start > width / 2 ? offset - width / 2 : start;
  // Only the bytes that can be shown are looked at: a line of megabytes costs
  // no more than a short one.
  const std::size_t end = scan_to(text_.substr(0, begin + width), offset, kLineEndBytes);
  SourceExcerpt excerpt;
  excerpt.text.assign(text_.substr(begin, end - begin));
  excerpt.caret = offset - begin;
  excerpt.cut_before = begin > start;
  excerpt.cut_after = end == begin + width && end < line_end(end);
  return excerpt;
}

std::string render_excerpt(const SourceExcerpt& excerpt) {
  std::string shown;
  std::size_t caret_column = 0;
  std::size_t column = 0;
  if (excerpt.cut_before) {
    shown += kEllipsis;
    column += kEllipsis.size();
  }
  const std::string_view text = excerpt.text;
  for (std::size_t i = 0; i < text.size();) {
    if (i <= excerpt.caret) caret_column = column;
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\t') {
      shown += ' ';
      ++column;
      ++i;
    } else {
      // One column for a character, four for an escape.
      const std::string piece = shown_byte(byte);
      shown += piece;
      column += piece.size() > 1 && piece[0] == '\\' ? piece.size() : 1;
      ++i;
    }
  }
  if (excerpt.caret >= text.size()) caret_column = column;
  if (excerpt.cut_after) shown += kEllipsis;
  return shown + '\n' + std::string(caret_column, ' ') + "^\n";
}

int shown_line(const Diagnostic& diagnostic) { return diagnostic.line > 0 ? diagnostic.line : 1; }
int shown_column(const Diagnostic& diagnostic) { return diagnostic.line > 0 ? diagnostic.column : 1; }

std::string render_diagnostic(const Diagnostic& diagnostic, ErrorHint hint) {
  std::string text;
  if (!diagnostic.file.empty()) {
    text += terminal_path(diagnostic.file) + ":" + std::to_string(shown_line(diagnostic)) + ":" +
            std::to_string(shown_column(diagnostic)) + ": ";
  }
  text += severity_name(diagnostic.severity);
  const bool kind_shown = diagnostic.severity == Severity::kError && diagnostic.kind != ErrorKind::kNone;
  if (kind_shown) text += ' ' + std::to_string(number(diagnostic.kind));
  text += ": " + terminal_text(diagnostic.message);
  if (kind_shown && hint) text += hint(diagnostic.kind);
  if (diagnostic.severity == Severity::kWarning && diagnostic.rule != WarningRule::kNone) {
    text += " [" + std::string(rule_name(diagnostic.rule)) + "]";
  }
  text += '\n';
  if (diagnostic.line > 0) text += render_excerpt(diagnostic.excerpt);
  for (const Diagnostic& note : diagnostic.notes) text += render_diagnostic(note, hint);
  if (diagnostic.repeats > 0) {
    text += terminal_path(diagnostic.file) + ":" + std::to_string(diagnostic.last_repeat_line) + ":" +
            std::to_string(diagnostic.column) + ": note: ... and " + std::to_string(diagnostic.repeats) +
            " more like this, up to this line\n";
  }
  return text;
}

}  // namespace compiler
