#pragma once
// A description file as the language server holds it: the editor's text,
// kept as the Windows-1252 bytes the compiler reads. The editor sends UTF-8
// and counts columns in UTF-16 code units; every Windows-1252 character is
// one UTF-16 unit, so a column is a byte offset in the line. A character
// that Windows-1252 lacks becomes '?' (two for one outside the Basic
// Multilingual Plane, which takes two units), so that columns stay aligned.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// The Windows-1252 bytes of UTF-8 text, one byte per UTF-16 code unit. A
// malformed UTF-8 sequence becomes one '?'.
std::string lsp_text_to_1252(std::string_view utf8);
// The UTF-8 text of Windows-1252 bytes.
std::string lsp_text_from_1252(std::string_view bytes);

// The file path of a file:// URI (percent-escapes decoded), or nothing.
std::optional<std::string> uri_to_path(std::string_view uri);
// The file:// URI of an absolute path.
std::string path_to_uri(std::string_view path);

struct LspPosition {
  int line = 0;       // 0-based
  int character = 0;  // 0-based, UTF-16 units (bytes of the Windows-1252 text)
};

// Where the lines of a text start, with the same line ends as the compiler
// (CR LF, LF, or a lone CR).
class LspLines {
 public:
  explicit LspLines(std::string_view text);
  std::size_t count() const { return starts_.size(); }
  // The byte offset of a position, clamped to its line and to the text.
  std::size_t offset(LspPosition position) const;
  LspPosition position(std::size_t offset) const;
  // The line's bytes, without its line end.
  std::string_view line(std::size_t index) const;

 private:
  std::string_view text_;
  std::vector<std::size_t> starts_;
};

}  // namespace tools
