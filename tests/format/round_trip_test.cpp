// The formatter's one hard rule, as a property: the formatted text compiles
// to the same three files as the text it came from (the same route, scenario
// table and track plan, the same error kind, the same stop), and formatting
// it again changes nothing. Over every golden case, the embedded scenario,
// generated scenarios, and texts damaged at random from them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench/long_scenario.h"
#include "compiler/compile.h"
#include "compiler/output.h"
#include "formats/line_data_file.h"
#include "formats/route_file.h"
#include "formats/scenario_file.h"
#include "scenario/document.h"
#include "scenario/line_description.h"
#include "scenario/train_description.h"
#include "support/temp_dir.h"
#include "tools/formatter.h"

namespace {

using compiler::Description;

struct Pair {
  std::string name;
  std::string line;
  std::string train;
};

// Every golden case (the ones with errors too) and the embedded scenario.
std::vector<Pair> stored_pairs() {
  std::vector<Pair> pairs;
  const std::filesystem::path golden = std::filesystem::path(TEST_SOURCE_DIR) / "golden";
  for (const auto& entry : std::filesystem::directory_iterator(golden)) {
    const std::filesystem::path dir = entry.path();
    if (!std::filesystem::exists(dir / "S_linea.txt")) continue;
    pairs.push_back({dir.filename().string(), testing_support::read_file(dir / "S_linea.txt"),
                     testing_support::read_file(dir / "S_T-.txt")});
  }
  std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) { return a.name < b.name; });
  pairs.push_back({"embedded", scenario::document_bytes(scenario::line_description_lines()),
                   scenario::document_bytes(scenario::train_description_lines())});
  return pairs;
}

// What a compile gives: whether it had a route, the stamping's stop, the
// recorded error, and the bytes of the three files from the model.
struct Compiled {
  bool routed = false;
  std::optional<compiler::ErrorKind> stamp_stop;
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;
  std::string route;
  std::string scenario;
  std::string line_data;
};

Compiled compile(const std::string& line, const std::string& train, std::int32_t j) {
  compiler::CompileRequest request;
  request.scenario_id = "S";
  request.train_id = "T";
  request.j = j;
  request.sources.line = compiler::in_memory("S_linea.txt", line);
  request.sources.train = compiler::in_memory("S_T-.txt", train);
  compiler::CompiledModel model;
  Compiled compiled;
  compiled.routed = compiler::compile_model(model, request);
  compiled.error_code = model.error_code;
  compiled.error_position = model.error_position;
  if (!compiled.routed) return compiled;
  compiled.stamp_stop = compiler::stamp(model);
  compiled.route = compiler::encode_route_file(model.route);
  compiled.scenario = compiler::encode_scenario_file(model.scenario_table);
  if (j != 0) compiled.line_data = compiler::encode_line_data_file(model.track_plan);
  return compiled;
}

// The files are compared whole; a difference is told by its first byte.
void expect_same_bytes(const char* what, const std::string& expected, const std::string& actual) {
  if (expected == actual) return;
  std::size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  ADD_FAILURE() << what << " differs at byte " << at << " (sizes " << expected.size() << " and " << actual.size()
                << ")";
}

void expect_same_compile(const Compiled& expected, const Compiled& actual) {
  EXPECT_EQ(expected.routed, actual.routed);
  EXPECT_EQ(expected.stamp_stop, actual.stamp_stop);
  EXPECT_EQ(expected.error_code, actual.error_code);
  EXPECT_EQ(expected.error_position, actual.error_position);
  expect_same_bytes("route file", expected.route, actual.route);
  expect_same_bytes("scenario file", expected.scenario, actual.scenario);
  expect_same_bytes("line data file", expected.line_data, actual.line_data);
}

// Formats both files of pair, checks the round trip with and without the
// track plan and that a second formatting keeps the text; true when the
// formatter changed a file.
bool check_round_trip(const Pair& pair, std::initializer_list<std::int32_t> compile_kinds) {
  const std::string line = tools::format_description(pair.line, Description::kLine);
  const std::string train = tools::format_description(pair.train, Description::kTrain);
  EXPECT_EQ(tools::format_description(line, Description::kLine), line) << "line description formatted twice";
  EXPECT_EQ(tools::format_description(train, Description::kTrain), train) << "train description formatted twice";
  for (const std::int32_t j : compile_kinds) {
    SCOPED_TRACE(j ? "full compile" : "without the track plan");
    expect_same_compile(compile(pair.line, pair.train, j), compile(line, train, j));
  }
  return line != pair.line || train != pair.train;
}

TEST(FormatRoundTrip, GoldenCasesAndTheEmbeddedScenarioCompileTheSameFormatted) {
  const std::vector<Pair> pairs = stored_pairs();
  ASSERT_GE(pairs.size(), 13u);
  std::size_t changed = 0;
  for (const Pair& pair : pairs) {
    SCOPED_TRACE(pair.name);
    if (check_round_trip(pair, {1, 0})) ++changed;
  }
  // The stored files are written by hand, not in the canonical layout: the
  // property above is only worth something when the formatter did work.
  EXPECT_EQ(changed, pairs.size());
}

TEST(FormatRoundTrip, GeneratedScenariosCompileTheSameFormatted) {
  for (const std::int32_t length : {5000, 100000}) {
    SCOPED_TRACE("generated line of " + std::to_string(length) + " m");
    const bench::GeneratedScenario generated = bench::generate_scenario(length);
    EXPECT_TRUE(check_round_trip({"generated", generated.line_description, generated.train_description},
                                 {1, 0}));
  }
}

// Damage of the kinds authors and editors leave: blanks and tabs, other
// line ends, blank lines, ruler lines, lines lost, doubled or cut, quotes,
// commas lost, unknown records, stray bytes. Each damaged text is held to
// the rule against itself, with the other file of its pair as it was.
std::string damaged(std::string text, std::mt19937& random) {
  const auto pick = [&random](std::size_t size) {
    return size == 0 ? std::size_t{0} : std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
  };
  const auto line_start = [&](std::size_t at) {
    while (at > 0 && text[at - 1] != '\n' && text[at - 1] != '\r') --at;
    return at;
  };
  const int edits = 1 + static_cast<int>(pick(6));
  for (int edit = 0; edit < edits; ++edit) {
    const std::size_t at = pick(text.size() + 1);
    switch (pick(14)) {
      case 0:
      case 1:
      case 2: {  // blanks next to a comma
        const std::size_t comma = text.find(',', at);
        if (comma != std::string::npos) text.insert(comma + pick(2), pick(2) ? "  " : "\t ");
        break;
      }
      case 3: {  // blanks at a line's start or end
        const std::size_t end = text.find_first_of("\r\n", at);
        text.insert(pick(2) ? line_start(at) : (end == std::string::npos ? text.size() : end), pick(2) ? " " : "\t");
        break;
      }
      case 4: {  // a line end of another kind
        const std::size_t crlf = text.find("\r\n", at);
        if (crlf != std::string::npos) text.replace(crlf, 2, pick(2) ? "\n" : "\r");
        break;
      }
      case 5:  // blank lines
        text.insert(line_start(at), pick(2) ? "\r\n\r\n" : "  \t\r\n");
        break;
      case 6:  // a ruler line
        text.insert(line_start(at), "----------\r\n");
        break;
      case 7: {  // a line lost
        const std::size_t start = line_start(at);
        const std::size_t next = text.find('\n', start);
        text.erase(start, next == std::string::npos ? std::string::npos : next + 1 - start);
        break;
      }
      case 8: {  // a line doubled
        const std::size_t start = line_start(at);
        const std::size_t next = text.find('\n', start);
        if (next != std::string::npos) text.insert(start, text.substr(start, next + 1 - start));
        break;
      }
      case 9: {  // a quote, anywhere or opening the text at a line's end
        const std::size_t end = text.find_first_of("\r\n", at);
        const std::size_t comma = text.rfind(',', end == std::string::npos ? std::string::npos : end);
        text.insert(pick(2) && comma != std::string::npos ? comma + 1 : at, pick(2) ? "\"" : " \"");
        break;
      }
      case 10: {  // a comma lost
        const std::size_t comma = text.find(',', at);
        if (comma != std::string::npos) text.erase(comma, 1);
        break;
      }
      case 11:  // a record no description has
        text.insert(line_start(at), "nota ,  1,2\r\n");
        break;
      case 12:  // cut short
        text.resize(at);
        break;
      default:  // a stray byte
        text.insert(at, 1, static_cast<char>(pick(256)));
        break;
    }
  }
  return text;
}

TEST(FormatRoundTrip, DamagedTextsCompileTheSameFormatted) {
  std::mt19937 random(20240611);
  std::size_t changed = 0;
  std::size_t variants = 0;
  for (const Pair& pair : stored_pairs()) {
    for (const Description description : {Description::kLine, Description::kTrain}) {
      const bool line = description == Description::kLine;
      for (int round = 0; round < 100; ++round) {
        const std::string text = damaged(line ? pair.line : pair.train, random);
        const std::string formatted = tools::format_description(text, description);
        ++variants;
        if (formatted != text) ++changed;
        SCOPED_TRACE(pair.name + (line ? " line" : " train") + ", round " + std::to_string(round));
        ASSERT_EQ(tools::format_description(formatted, description), formatted) << "formatted twice";
        const Compiled before = line ? compile(text, pair.train, 1) : compile(pair.line, text, 1);
        const Compiled after = line ? compile(formatted, pair.train, 1) : compile(pair.line, formatted, 1);
        expect_same_compile(before, after);
        if (testing::Test::HasFailure()) {
          ADD_FAILURE() << "damaged text:\n" << text << "\nformatted:\n" << formatted;
          return;
        }
      }
    }
  }
  // Most damage leaves records to format.
  EXPECT_GT(changed, variants * 3 / 4);
}

}  // namespace
