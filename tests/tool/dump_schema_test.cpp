// The decoded fields that `scenario_tool dump` prints beside the raw ones.
// Whether its JSON fits docs/dump.schema.json is checked by a real JSON
// Schema validator in dump_schema_test.py.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>

#include "support/temp_dir.h"

namespace {

using nlohmann::json;
using testing_support::ProgramRun;
using testing_support::TempDir;

ProgramRun tool(const std::vector<std::string>& arguments, const std::string& folder) {
  return testing_support::run_program(SCENARIO_TOOL_EXE, arguments, folder);
}

// The embedded scenario compiled once, by the tool, for every test here.
class DumpSchema : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempDir;
    tool({"sources", "."}, folder_->path());
    compile_status_ = tool({"compile", "Alvera_Monteluce_linea.txt", "Alvera_Monteluce_2734-2-.txt"}, folder_->path())
                          .exit_status;
  }
  static void TearDownTestSuite() { delete folder_; }
  void SetUp() override { ASSERT_EQ(compile_status_, 0); }

  static json dump(const std::string& name) {
    const ProgramRun run = tool({"dump", name}, folder_->path());
    EXPECT_EQ(run.exit_status, 0) << run.standard_error;
    return json::parse(run.standard_output);
  }

  static TempDir* folder_;
  static int compile_status_;
};

TempDir* DumpSchema::folder_ = nullptr;
int DumpSchema::compile_status_ = -1;

TEST_F(DumpSchema, RouteCellsCarryTheirMeanings) {
  const json cells = dump("Alvera_Monteluce_2734-2.dat")["cells"];
  // Cell 22 holds the signal at 1050 m: values 40, 10, 0, packed kinds 6.
  const json& signal = cells[22];
  EXPECT_EQ(signal["metre"], 1100);
  EXPECT_EQ(signal["kind_name"], "signal");
  EXPECT_EQ(signal["object"], "signal, values (left/right) 4/0 1/0 0/0, tens digit 0, left group kind 2, "
                              "right group kind 0");
  // Its approach markers stand 100 m apart before it.
  EXPECT_EQ(cells[20]["marker"], 61);
  EXPECT_EQ(cells[20]["marker_meaning"], "signal approach 1, left group kind 2, right group kind 0");
  // Cell 1: 30 km/h and 2 per mille (bytes 6 and 102).
  EXPECT_EQ(cells[1]["speed_limit"], 6);
  EXPECT_EQ(cells[1]["speed_limit_kmh"], 30);
  EXPECT_EQ(cells[1]["gradient"], 102);
  EXPECT_EQ(cells[1]["gradient_per_mille"], 2);
  EXPECT_EQ(cells[1]["object"], nullptr);
  EXPECT_EQ(cells[1]["tunnel_meaning"], "open line");
}

TEST_F(DumpSchema, ScenarioEntriesCarryTheirRolesAndTimes) {
  const json entries = dump("Alvera_Monteluce_2734-2.sim")["entries"];
  EXPECT_EQ(entries[0]["role"], "unused");
  EXPECT_EQ(entries[1]["role"], "station");
  EXPECT_EQ(entries[1]["text"], "ALVERA LEVANTE");
  EXPECT_EQ(entries[16]["role"], "station");
  EXPECT_EQ(entries[17]["role"], "empty");
  EXPECT_EQ(entries[80]["role"], "board text");
  EXPECT_EQ(entries[85]["role"], "scenario header");
  EXPECT_EQ(entries[85]["time"], nullptr) << "entry 85's seconds hold a code, not a time";
  for (int entry = 1; entry <= 16; ++entry) {
    const int seconds = entries[entry]["seconds"];
    char expected[16];
    std::snprintf(expected, sizeof expected, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    EXPECT_EQ(entries[entry]["time"], expected) << entry;
  }
  const json& clock = entries[86];
  char expected[16];
  std::snprintf(expected, sizeof expected, "%02d:%02d:%02d", clock["word3"].get<int>(), clock["word4"].get<int>(),
                clock["word5"].get<int>());
  EXPECT_EQ(clock["time"], expected);
}

TEST_F(DumpSchema, CsvKeepsItsRawColumnsUnlessDecodedIsAsked) {
  const ProgramRun raw = tool({"dump", "Alvera_Monteluce_2734-2.dat", "--csv"}, folder_->path());
  EXPECT_EQ(raw.standard_output.substr(0, raw.standard_output.find('\n')),
            "index,kind,param1,param2,param3,param4,param5,marker,tunnel,speed_limit,gradient,adhesion");
  const ProgramRun decoded = tool({"dump", "Alvera_Monteluce_2734-2.dat", "--csv", "--decoded"}, folder_->path());
  EXPECT_EQ(decoded.standard_output.substr(0, decoded.standard_output.find('\n')),
            "index,metre,kind,kind_name,param1,param2,param3,param4,param5,object,marker,marker_meaning,tunnel,"
            "tunnel_meaning,speed_limit,speed_limit_kmh,gradient,gradient_per_mille,adhesion");
  EXPECT_NE(decoded.standard_output.find("\n1,50,0,none,5121,"), std::string::npos);
}

}  // namespace
