// Recorded conversations with the language server: each transcript holds
// what the editor sends and, after each message, the server's replies. The
// server runs as the command runs it (one input from the reader at a time,
// the checks made once no message is waiting).
//
// A transcript's lines:
//   # a comment
//   file NAME "JSON string"   writes NAME into the transcript's folder
//   -> BODY                   sends BODY (JSON, or anything else to test
//                             errors); no more input waits, so the server
//                             checks what changed
//   ->> BODY                  sends BODY with more input waiting: no check
//   <- JSON                   a reply expected, in order
// ${DIR} stands for the transcript's folder (an absolute path).
//
// With SCENARIO_RECORD_TRANSCRIPTS=1 in the environment the test writes the
// replies it got into the transcripts instead, to be read and committed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/temp_dir.h"
#include "tools/lsp_server.h"

namespace {

using nlohmann::json;

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::vector<std::string> transcript_names() {
  std::vector<std::string> names;
  const std::filesystem::path folder = std::filesystem::path(TEST_SOURCE_DIR) / "lsp" / "transcripts";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".lsp") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Transcript : public testing::TestWithParam<std::string> {};

TEST_P(Transcript, RepliesAsRecorded) {
  const std::filesystem::path file =
      std::filesystem::path(TEST_SOURCE_DIR) / "lsp" / "transcripts" / (GetParam() + ".lsp");
  std::ifstream in(file, std::ios::binary);
  ASSERT_TRUE(in) << file;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const bool record = std::getenv("SCENARIO_RECORD_TRANSCRIPTS") != nullptr;

  testing_support::TempDir dir;
  const std::string folder = std::filesystem::canonical(dir.path()).string();
  tools::LspServer server;
  std::vector<std::string> recorded;
  std::vector<json> pending;  // replies not yet matched by a "<-" line
  std::size_t step = 0;
  const auto expect_no_more = [&](std::size_t line_number) {
    for (const json& reply : pending) {
      ADD_FAILURE() << GetParam() << ".lsp:" << line_number << ": an unexpected reply after step " << step
                    << ":\n<- " << replaced(reply.dump(), folder, "${DIR}");
    }
    pending.clear();
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::size_t number = i + 1;
    if (line.rfind("<- ", 0) == 0) {
      if (record) continue;
      const json expected = json::parse(replaced(line.substr(3), "${DIR}", folder));
      if (pending.empty()) {
        ADD_FAILURE() << GetParam() << ".lsp:" << number << ": expected a reply, got none:\n" << line;
        continue;
      }
      EXPECT_EQ(pending.front(), expected) << GetParam() << ".lsp:" << number << ": got\n<- "
                                           << replaced(pending.front().dump(), folder, "${DIR}");
      pending.erase(pending.begin());
      continue;
    }
    if (!record) expect_no_more(number);
    recorded.push_back(line);
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("file ", 0) == 0) {
      const std::size_t space = line.find(' ', 5);
      ASSERT_NE(space, std::string::npos) << line;
      const std::string name = line.substr(5, space - 5);
      std::ofstream out(std::filesystem::path(folder) / name, std::ios::binary);
      out << json::parse(line.substr(space + 1)).get<std::string>();
      continue;
    }
    const bool waiting = line.rfind("->> ", 0) == 0;
    ASSERT_TRUE(waiting || line.rfind("-> ", 0) == 0) << GetParam() << ".lsp:" << number << ": " << line;
    ++step;
    tools::LspInput input;
    input.kind = tools::LspInput::Kind::kMessage;
    input.body = replaced(line.substr(waiting ? 4 : 3), "${DIR}", folder);
    std::vector<json> replies = server.receive(input);
    if (!waiting && !server.exited()) {
      for (json& reply : server.flush()) replies.push_back(std::move(reply));
    }
    for (json& reply : replies) {
      recorded.push_back("<- " + replaced(reply.dump(), folder, "${DIR}"));
      pending.push_back(std::move(reply));
    }
  }
  if (record) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const std::string& line : recorded) out << line << '\n';
    return;
  }
  expect_no_more(lines.size());
}

INSTANTIATE_TEST_SUITE_P(Recorded, Transcript, testing::ValuesIn(transcript_names()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
