// The language server's wire and text: the bounded message reader, the
// Windows-1252 text with the editor's UTF-16 columns, file URIs; and the
// server as a process, as an editor starts it.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tools/lsp_document.h"
#include "tools/lsp_transport.h"

namespace {

using tools::LspInput;
using Kind = tools::LspInput::Kind;

std::vector<LspInput> read_all(const std::string& bytes, std::size_t limit = tools::LspReader::kDefaultLimit) {
  std::istringstream in(bytes);
  tools::LspReader reader(in, limit);
  std::vector<LspInput> inputs;
  for (int i = 0; i < 10; ++i) {
    LspInput input = reader.next();
    const bool end = input.kind == Kind::kEnd;
    inputs.push_back(std::move(input));
    if (end) break;
  }
  return inputs;
}

TEST(LspReader, FramesAndRefusals) {
  const struct {
    const char* name;
    std::string bytes;
    std::size_t limit;
    std::vector<Kind> kinds;
    std::vector<std::string> bodies;
  } cases[] = {
      {"two messages", "Content-Length: 2\r\n\r\n{}Content-Length: 4\r\n\r\nnull", 100,
       {Kind::kMessage, Kind::kMessage, Kind::kEnd}, {"{}", "null"}},
      {"header names in any case, other headers, bare line feeds",
       "content-length: 2\nContent-Type: application/vscode-jsonrpc; charset=utf-8\n\n[]", 100,
       {Kind::kMessage, Kind::kEnd}, {"[]"}},
      {"no Content-Length: skipped up to the blank line", "Content-Type: x\r\n\r\nContent-Length: 1\r\n\r\n1", 100,
       {Kind::kBadHeader, Kind::kMessage, Kind::kEnd}, {"", "1"}},
      {"a length that is no number", "Content-Length: -5\r\n\r\nContent-Length: 1\r\n\r\n1", 100,
       {Kind::kBadHeader, Kind::kMessage, Kind::kEnd}, {"", "1"}},
      {"a body above the limit is skipped, the next one read", "Content-Length: 20\r\n\r\n01234567890123456789"
       "Content-Length: 2\r\n\r\nok", 10, {Kind::kTooLarge, Kind::kMessage, Kind::kEnd}, {"", "ok"}},
      {"a huge length with a short body: the input ends, nothing is held",
       "Content-Length: 2000000000\r\n\r\n{\"a\":1}", tools::LspReader::kDefaultLimit, {Kind::kEnd}, {""}},
      {"the input ends inside a body", "Content-Length: 10\r\n\r\nabc", 100, {Kind::kEnd}, {""}},
      {"nothing at all", "", 100, {Kind::kEnd}, {""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<LspInput> inputs = read_all(c.bytes, c.limit);
    std::vector<Kind> kinds;
    for (const LspInput& input : inputs) kinds.push_back(input.kind);
    EXPECT_EQ(kinds, c.kinds);
    for (std::size_t i = 0; i < inputs.size() && i < c.bodies.size(); ++i) EXPECT_EQ(inputs[i].body, c.bodies[i]);
  }
}

TEST(LspReader, FramesWhatItWrites) {
  const nlohmann::json message = {{"jsonrpc", "2.0"}, {"id", 1}, {"result", "citt\xc3\xa0"}};
  const std::vector<LspInput> inputs = read_all(tools::lsp_frame(message));
  ASSERT_EQ(inputs.front().kind, Kind::kMessage);
  EXPECT_EQ(nlohmann::json::parse(inputs.front().body), message);
}

// One Windows-1252 byte per UTF-16 unit of the editor's text, so that a
// column is a byte offset.
TEST(LspText, OneByteForEachUtf16Unit) {
  const struct {
    std::string utf8;
    std::string bytes;
  } cases[] = {
      {"pendenza", "pendenza"},
      {"CITT\xc3\x80", "CITT\xc0"},            // À
      {"\xe2\x82\xac 5", "\x80 5"},            // € is 0x80 in Windows-1252
      {"\xe4\xb8\xad", "?"},                   // a character the code page lacks: one unit, one '?'
      {"\xf0\x9f\x98\x80x", "??x"},            // outside the BMP: two units, two '?'
      {"a\xff" "b", "a?b"},                    // malformed UTF-8
      {"\xc3", "?"},                           // cut short
      {"\xc2\x81", "\x81"},                     // an undefined byte, shown as its control, comes back
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tools::lsp_text_to_1252(c.utf8), c.bytes) << c.utf8;
  }
  EXPECT_EQ(tools::lsp_text_from_1252("CITT\xc0 \x80"), "CITT\xc3\x80 \xe2\x82\xac");
}

TEST(LspText, LinesAndPositions) {
  const std::string text = "ab\r\ncd\ne\rf";
  const tools::LspLines lines(text);
  EXPECT_EQ(lines.count(), 4u);
  EXPECT_EQ(lines.line(0), "ab");
  EXPECT_EQ(lines.line(3), "f");
  EXPECT_EQ(lines.offset({1, 1}), 5u);
  EXPECT_EQ(lines.offset({1, 99}), 6u) << "clamped to the line";
  EXPECT_EQ(lines.offset({99, 0}), text.size()) << "clamped to the text";
  EXPECT_EQ(lines.position(5).line, 1);
  EXPECT_EQ(lines.position(5).character, 1);
}

TEST(LspText, FileUris) {
  EXPECT_EQ(tools::path_to_uri("/tmp/a b/Città_linea.txt"), "file:///tmp/a%20b/Citt%C3%A0_linea.txt");
  EXPECT_EQ(tools::uri_to_path("file:///tmp/a%20b/Citt%C3%A0_linea.txt"), "/tmp/a b/Città_linea.txt");
  EXPECT_EQ(tools::uri_to_path("file://localhost/x"), "/x");
  EXPECT_EQ(tools::uri_to_path("untitled:Untitled-1"), std::nullopt);
  EXPECT_EQ(tools::uri_to_path("file:///a%00b"), std::nullopt) << "no NUL in a path";
}

// The server as the editor starts it: only protocol messages on standard
// output, and the end of its input ends it.
TEST(LspProcess, EndsWithItsInputAndWritesOnlyMessages) {
  const struct {
    const char* name;
    std::string input;
    int exit_status;
    std::size_t replies;
  } cases[] = {
      {"shutdown and exit", "Content-Length: 46\r\n\r\n{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"initialize\"}"
                            "Content-Length: 44\r\n\r\n{\"jsonrpc\":\"2.0\",\"id\":2,\"method\":\"shutdown\"}"
                            "Content-Length: 33\r\n\r\n{\"jsonrpc\":\"2.0\",\"method\":\"exit\"}",
       0, 2},
      {"the editor goes away", "Content-Length: 46\r\n\r\n{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"initialize\"}",
       1, 1},
      {"a claimed length of 2 GB, then the end", "Content-Length: 2000000000\r\n\r\n{}", 1, 0},
      {"garbage", "\x01\x02 not a header\r\n\r\n", 1, 1},
  };
  testing_support::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dir.write("input", c.input);
    testing_support::RunLimits limits;
    limits.working_folder = dir.path();
    limits.time_limit_milliseconds = 10000;
#if !defined(__SANITIZE_ADDRESS__)
    // The 2 GB claim must not be allocated. AddressSanitizer reserves more
    // address space than any limit here.
    limits.address_space_limit = 1ul << 31;
#endif
    const testing_support::ProgramRun run = testing_support::run_program_with(
        "/bin/sh", {"-c", std::string("exec \"") + SCENARIO_TOOL_EXE + "\" lsp < input"}, limits);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.exit_status, c.exit_status) << run.standard_error;
    std::istringstream out(run.standard_output);
    tools::LspReader reader(out);
    std::size_t replies = 0;
    for (LspInput input = reader.next(); input.kind != Kind::kEnd; input = reader.next()) {
      EXPECT_EQ(input.kind, Kind::kMessage) << "standard output holds protocol messages only";
      EXPECT_NO_THROW((void)nlohmann::json::parse(input.body));
      ++replies;
    }
    EXPECT_EQ(replies, c.replies);
  }
}

}  // namespace
