#include "tools/lsp_document.h"

#include <algorithm>
#include <cstdint>

#include "naming/identifiers.h"

namespace tools {
namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string lsp_text_to_1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::optional<naming::Utf8Char> character = naming::utf8_char_at(utf8, i);
    if (!character) {
      out += '?';
      ++i;
      continue;
    }
    i += character->length;
    if (character->code_point > 0xFFFF) {
      out += "??";  // two UTF-16 units
      continue;
    }
    const std::uint32_t code = character->code_point;
    std::optional<char> byte = naming::windows1252_byte(code);
    // The five bytes the code page leaves undefined are shown as the
    // controls of the same value; they come back as themselves.
    if (!byte && code >= 0x80 && code <= 0x9F) {
      const std::string shown = naming::windows1252_to_utf8(std::string(1, static_cast<char>(code)));
      const std::optional<naming::Utf8Char> same = naming::utf8_char_at(shown, 0);
      if (same && same->code_point == code) byte = static_cast<char>(code);
    }
    out += byte.value_or('?');
  }
  return out;
}

std::string lsp_text_from_1252(std::string_view bytes) { return naming::windows1252_to_utf8(bytes); }

std::optional<std::string> uri_to_path(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.substr(0, kScheme.size()) != kScheme) return std::nullopt;
  std::string_view rest = uri.substr(kScheme.size());
  // "file://host/path": only the local host is a path here.
  if (rest.substr(0, 9) == "localhost") rest.remove_prefix(9);
  if (rest.empty() || rest.front() != '/') return std::nullopt;
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size()) {
      const int high = hex_value(rest[i + 1]);
      const int low = hex_value(rest[i + 2]);
      if (high >= 0 && low >= 0) {
        const char decoded = static_cast<char>(high * 16 + low);
        if (decoded == '\0') return std::nullopt;
        path += decoded;
        i += 2;
        continue;
      }
    }
    if (rest[i] == '?' || rest[i] == '#') break;
    path += rest[i];
  }
  return path;
}

std::string path_to_uri(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                       c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 0x0F];
    }
  }
  return uri;
}

LspLines::LspLines(std::string_view text) : text_(text) {
  starts_.push_back(0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      starts_.push_back(i + 1);
    } else if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) {
      starts_.push_back(i + 1);
    }
  }
}

std::string_view LspLines::line(std::size_t index) const {
  if (index >= starts_.size()) return {};
  const std::size_t start = starts_[index];
  std::size_t end = index + 1 < starts_.size() ? starts_[index + 1] : text_.size();
  while (end > start && (text_[end - 1] == '\n' || text_[end - 1] == '\r')) --end;
  return text_.substr(start, end - start);
}

std::size_t LspLines::offset(LspPosition position) const {
  if (position.line < 0) return 0;
  const auto index = static_cast<std::size_t>(position.line);
  if (index >= starts_.size()) return text_.size();
  const std::size_t length = line(index).size();
  const std::size_t column = position.character < 0 ? 0 : static_cast<std::size_t>(position.character);
  return starts_[index] + std::min(column, length);
}

LspPosition LspLines::position(std::size_t offset) const {
  offset = std::min(offset, text_.size());
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  const auto index = static_cast<std::size_t>(after - starts_.begin()) - 1;
  return {static_cast<int>(index), static_cast<int>(offset - starts_[index])};
}

}  // namespace tools
