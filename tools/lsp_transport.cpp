#include "tools/lsp_transport.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

namespace tools {
namespace {

constexpr std::size_t kLongestHeaderLine = 8192;

// One header line without its line end; nothing at the end of the input.
// A line longer than kLongestHeaderLine is read to its end and cut.
std::optional<std::string> header_line(std::istream& in) {
  std::string line;
  for (;;) {
    const int c = in.get();
    if (c == std::char_traits<char>::eof()) {
      if (line.empty()) return std::nullopt;
      return line;
    }
    if (c == '\n') break;
    if (line.size() < kLongestHeaderLine) line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The value of a Content-Length line: decimal digits only, no sign.
std::optional<std::size_t> content_length(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || !equal_ignoring_case(line.substr(0, colon), "Content-Length")) {
    return std::nullopt;
  }
  std::string_view value = line.substr(colon + 1);
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  std::size_t length = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
  if (error != std::errc() || end != value.data() + value.size() || value.empty()) return std::nullopt;
  return length;
}

}  // namespace

LspInput LspReader::next() {
  LspInput input;
  std::optional<std::size_t> length;
  bool bad = false;
  bool any_line = false;
  for (;;) {
    const std::optional<std::string> line = header_line(in_);
    if (!line) return input;  // kEnd
    if (line->empty()) {
      // Blank lines before a header are tolerated; one after it ends it.
      if (!any_line) continue;
      break;
    }
    any_line = true;
    const std::size_t colon = line->find(':');
    if (colon == std::string::npos) {
      bad = true;
      continue;
    }
    if (equal_ignoring_case(std::string_view(*line).substr(0, colon), "Content-Length")) {
      length = content_length(*line);
      if (!length) bad = true;
    }
  }
  if (bad || !length) {
    input.kind = LspInput::Kind::kBadHeader;
    return input;
  }
  if (*length > limit_) {
    // Skipped in pieces: the body is never held.
    char piece[65536];
    std::size_t left = *length;
    while (left > 0 && in_) {
      const std::size_t take = std::min(left, sizeof piece);
      in_.read(piece, static_cast<std::streamsize>(take));
      left -= static_cast<std::size_t>(in_.gcount());
      if (static_cast<std::size_t>(in_.gcount()) < take) break;
    }
    input.kind = left == 0 ? LspInput::Kind::kTooLarge : LspInput::Kind::kEnd;
    return input;
  }
  // Grown as the bytes arrive, so that a claimed length costs nothing the
  // input does not deliver.
  std::string body;
  char piece[65536];
  while (body.size() < *length) {
    const std::size_t take = std::min(*length - body.size(), sizeof piece);
    in_.read(piece, static_cast<std::streamsize>(take));
    const auto got = static_cast<std::size_t>(in_.gcount());
    body.append(piece, got);
    if (got < take) return input;  // kEnd: the input ended inside the body
  }
  input.kind = LspInput::Kind::kMessage;
  input.body = std::move(body);
  return input;
}

std::string lsp_frame(const nlohmann::json& message) {
  // Invalid UTF-8 in a string (a file name, say) is replaced, never thrown.
  const std::string body = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace tools
