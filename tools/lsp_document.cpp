#include "tools/lsp_document.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

#include "naming/identifiers.h"

namespace tools {
namespace {

// The Windows-1252 byte of each code point above 0x7F that has one.
const std::unordered_map<std::uint32_t, unsigned char>& byte_of_code_point() {
  static const std::unordered_map<std::uint32_t, unsigned char> table = [] {
    std::unordered_map<std::uint32_t, unsigned char> map;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
      const std::string utf8 = naming::windows1252_to_utf8(std::string(1, static_cast<char>(byte)));
      std::uint32_t code = 0;
      if (utf8.size() == 2) {
        code = (static_cast<unsigned char>(utf8[0]) & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[1]) & 0x3Fu);
      } else if (utf8.size() == 3) {
        code = (static_cast<unsigned char>(utf8[0]) & 0x0Fu) << 12 |
               (static_cast<unsigned char>(utf8[1]) & 0x3Fu) << 6 | (static_cast<unsigned char>(utf8[2]) & 0x3Fu);
      }
      map.emplace(code, static_cast<unsigned char>(byte));
    }
    return map;
  }();
  return table;
}

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
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07u;
    }
    bool valid = length > 0 && i + length <= utf8.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      if ((byte(i + k) & 0xC0u) != 0x80u) valid = false;
      code = code << 6 | (byte(i + k) & 0x3Fu);
    }
    if (!valid) {
      out += '?';
      ++i;
      continue;
    }
    i += length;
    if (code > 0xFFFF) {
      out += "??";  // two UTF-16 units
      continue;
    }
    const auto& table = byte_of_code_point();
    const auto found = table.find(code);
    out += found != table.end() ? static_cast<char>(found->second) : '?';
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
