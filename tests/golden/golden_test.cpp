// Golden corpus: each folder of tests/golden/ that holds S_linea.txt and
// S_T-.txt is one case. The two descriptions are compiled with scenario_tool
// in a temporary folder, the compiled files are dumped as CSV, and the dumps
// must equal the expected ones beside the descriptions (route.csv,
// scenario.csv, and plan.csv for the metres it lists). expected_status holds
// the tool's exit status; expected_stderr, when present, holds the start of
// each line the tool must print on standard error, before its warnings. The expectations were
// derived from the compile rules (see README.md and reference.py there), not
// taken from the tool.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ProgramRun;
using testing_support::TempDir;

const fs::path kGoldenDir = fs::path(TEST_SOURCE_DIR) / "golden";

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kGoldenDir)) {
    if (entry.is_directory() && fs::exists(entry.path() / "S_linea.txt")) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string read_text(const fs::path& path) { return testing_support::read_file(path.string()); }

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> fields_of(const std::string& row) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(row);
  while (std::getline(in, field, ',')) fields.push_back(field);
  if (!row.empty() && row.back() == ',') fields.emplace_back();
  return fields;
}

ProgramRun tool(const std::vector<std::string>& arguments, const std::string& folder) {
  return testing_support::run_program(SCENARIO_TOOL_EXE, arguments, folder);
}

std::string dump(const TempDir& work, const std::string& name) {
  const ProgramRun run = tool({"dump", name, "--csv"}, work.path());
  EXPECT_EQ(run.exit_status, 0) << "dump " << name << ": " << run.standard_error;
  return run.standard_output;
}

// Row by row; the message shows the first rows that differ.
void expect_same_rows(const std::string& what, const std::string& expected, const std::string& actual) {
  const std::vector<std::string> want = lines_of(expected);
  const std::vector<std::string> got = lines_of(actual);
  std::ostringstream report;
  int shown = 0;
  std::size_t differing = 0;
  for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
    const std::string* w = i < want.size() ? &want[i] : nullptr;
    const std::string* g = i < got.size() ? &got[i] : nullptr;
    if (w && g && *w == *g) continue;
    ++differing;
    if (shown++ < 6) {
      report << "  line " << i + 1 << "\n    expected: " << (w ? *w : "(none)") << "\n    actual:   " << (g ? *g : "(none)")
             << '\n';
    }
  }
  EXPECT_EQ(differing, 0u) << what << ": " << differing << " rows differ (" << want.size() << " expected, "
                           << got.size() << " written)\n"
                           << report.str();
}

// The plan's doubles are compared bit for bit, whatever digits print them.
bool same_value(const std::string& expected, const std::string& actual) {
  if (expected.empty() || actual.empty()) return expected.empty() && actual.empty();
  const double a = std::strtod(expected.c_str(), nullptr);
  const double b = std::strtod(actual.c_str(), nullptr);
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void expect_plan_rows(const std::string& expected, const std::string& actual) {
  const std::vector<std::string> want = lines_of(expected);
  const std::vector<std::string> got = lines_of(actual);
  ASSERT_FALSE(want.empty());
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(want[0], got[0]) << "plan header";
  std::map<std::string, std::vector<std::string>> by_metre;
  for (std::size_t i = 1; i < got.size(); ++i) {
    std::vector<std::string> f = fields_of(got[i]);
    if (!f.empty()) by_metre[f[0]] = f;
  }
  int shown = 0;
  for (std::size_t i = 1; i < want.size(); ++i) {
    const std::vector<std::string> w = fields_of(want[i]);
    ASSERT_EQ(w.size(), 5u) << "plan.csv line " << i + 1;
    const auto found = by_metre.find(w[0]);
    if (found == by_metre.end()) {
      ADD_FAILURE() << "plan: metre " << w[0] << " missing from the line data file";
      continue;
    }
    const std::vector<std::string>& g = found->second;
    const bool same = g.size() == 5 && w[1] == g[1] && w[3] == g[3] && same_value(w[2], g[2]) && same_value(w[4], g[4]);
    if (!same && shown++ < 6) {
      ADD_FAILURE() << "plan: metre " << w[0] << "\n    expected: " << want[i] << "\n    actual:   " << found->first
                    << "," << (g.size() > 1 ? g[1] : "") << "," << (g.size() > 2 ? g[2] : "") << ","
                    << (g.size() > 3 ? g[3] : "") << "," << (g.size() > 4 ? g[4] : "");
    }
  }
}

class GoldenCase : public testing::TestWithParam<std::string> {};

TEST(GoldenCorpus, HoldsItsCases) {
  // An empty list would leave the parameterised suite with nothing to run.
  EXPECT_GE(case_names().size(), 8u);
  EXPECT_TRUE(fs::exists(kGoldenDir / "embedded" / "route.csv"));
}

TEST_P(GoldenCase, CompilesToTheExpectedDumps) {
  const fs::path dir = kGoldenDir / GetParam();
  TempDir work;
  for (const char* name : {"S_linea.txt", "S_T-.txt"}) fs::copy_file(dir / name, work.file(name));

  const ProgramRun run = tool({"compile", "S_linea.txt", "S_T-.txt", "-o", "."}, work.path());
  const int expected_status = std::atoi(read_text(dir / "expected_status").c_str());
  EXPECT_EQ(run.exit_status, expected_status) << run.standard_error;

  // The warnings come after the outcome; the cases place records beyond
  // their short lines on purpose, and the check tests hold the warnings.
  std::vector<std::string> stderr_lines = lines_of(run.standard_error);
  const auto first_warning = std::find_if(stderr_lines.begin(), stderr_lines.end(), [](const std::string& line) {
    return line.find(": warning: ") != std::string::npos;
  });
  stderr_lines.erase(first_warning, stderr_lines.end());
  if (fs::exists(dir / "expected_stderr")) {
    const std::vector<std::string> starts = lines_of(read_text(dir / "expected_stderr"));
    ASSERT_GE(stderr_lines.size(), starts.size()) << run.standard_error;
    for (std::size_t i = 0; i < starts.size(); ++i) {
      EXPECT_EQ(stderr_lines[i].substr(0, starts[i].size()), starts[i]) << "standard error line " << i + 1;
    }
  } else {
    EXPECT_TRUE(stderr_lines.empty()) << run.standard_error;
  }

  if (expected_status == 2) {
    // Stopped before writing: no compiled file at all.
    for (const char* name : {"S_T.dat", "S_T.sim", "S_linea.dat"}) EXPECT_FALSE(work.exists(name)) << name;
    EXPECT_FALSE(fs::exists(dir / "route.csv")) << "a stopped case expects no dump";
    return;
  }
  expect_same_rows("route", read_text(dir / "route.csv"), dump(work, "S_T.dat"));
  expect_same_rows("scenario", read_text(dir / "scenario.csv"), dump(work, "S_T.sim"));
  if (fs::exists(dir / "plan.csv")) expect_plan_rows(read_text(dir / "plan.csv"), dump(work, "S_linea.dat"));
}

INSTANTIATE_TEST_SUITE_P(Corpus, GoldenCase, testing::ValuesIn(case_names()),
                         [](const testing::TestParamInfo<std::string>& case_info) {
                           std::string name = case_info.param;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return "case_" + name;
                         });

TEST(GoldenEmbedded, CompilesToTheExpectedDumps) {
  TempDir work;
  const ProgramRun sources = tool({"sources", "."}, work.path());
  ASSERT_EQ(sources.exit_status, 0) << sources.standard_error;
  const ProgramRun run =
      tool({"compile", "Alvera_Monteluce_linea.txt", "Alvera_Monteluce_2734-2-.txt", "-o", "."}, work.path());
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(run.standard_error, "");
  const fs::path dir = kGoldenDir / "embedded";
  expect_same_rows("route", read_text(dir / "route.csv"), dump(work, "Alvera_Monteluce_2734-2.dat"));
  expect_same_rows("scenario", read_text(dir / "scenario.csv"), dump(work, "Alvera_Monteluce_2734-2.sim"));
}

}  // namespace
