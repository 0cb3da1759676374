// The one-shot program and the compile driver, seen from outside.

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "formats/scenario_file.h"
#include "scenario/documents.h"
#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;

// Copies the program into its own folder, where it writes all its files.
std::string install_program(const TempDir& dir) {
  const std::string copy = dir.file("scenario_compiler");
  std::filesystem::copy_file(SCENARIO_COMPILER_EXE, copy);
  return copy;
}

// The names of the files that appeared in folder, in the order they were
// completed, while the program ran.
std::vector<std::string> run_and_watch(const std::string& program, const std::string& folder,
                                       testing_support::ProgramRun& run) {
  const int watch = inotify_init1(IN_NONBLOCK);
  inotify_add_watch(watch, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
  run = testing_support::run_program(program);
  std::vector<std::string> names;
  alignas(inotify_event) char buffer[65536];
  ssize_t got;
  while ((got = read(watch, buffer, sizeof buffer)) > 0) {
    for (char* at = buffer; at < buffer + got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      std::string name = event->len ? event->name : "";
      // Temporary files start with a dot; only final names count.
      if ((event->mask & IN_MOVED_TO) && !name.empty() && name[0] != '.') names.push_back(name);
      at += sizeof(inotify_event) + event->len;
    }
  }
  close(watch);
  return names;
}

TEST(Program, WritesItsFilesInRunOrder) {
  TempDir dir;
  const std::string program = install_program(dir);
  testing_support::ProgramRun run;
  const std::vector<std::string> written = run_and_watch(program, dir.path(), run);
  const std::vector<std::string> documents = {
      "Alvera_Monteluce_linea.txt", "Alvera_Monteluce_2734-2-.txt", "Alvera_Monteluce_2734-2_note.txt",
      "Alvera_Monteluce_2734-2_rallentamenti.txt", "Alvera_Monteluce_2734-2_scheda_treno.txt"};
  ASSERT_GE(written.size(), documents.size()) << run.standard_error;
  EXPECT_EQ(std::vector<std::string>(written.begin(), written.begin() + 5), documents);
  EXPECT_EQ(run.standard_error.rfind("Attendere\n", 0), 0u) << "the wait window comes first";
}

TEST(Program, LeavesItsDocumentsAndCompiledFiles) {
  TempDir dir;
  const std::string program = install_program(dir);
  const testing_support::ProgramRun run = testing_support::run_program(program);
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.standard_error, "Attendere\n") << "a clean run reports nothing";

  std::map<std::string, std::uintmax_t> sizes;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    sizes[entry.path().filename().string()] = entry.file_size();
  }
  sizes.erase("scenario_compiler");
  const std::string sim = dir.read("Alvera_Monteluce_2734-2.sim");
  const auto table = compiler::decode_scenario_file(sim);
  ASSERT_TRUE(table.ok()) << table.error;
  EXPECT_FALSE(table.value[1].text.empty()) << "stations were compiled";
  const std::map<std::string, std::uintmax_t> expected = {
      {"Alvera_Monteluce_2734-2_note.txt", scenario::document_bytes(scenario::notes_lines()).size()},
      {"Alvera_Monteluce_2734-2_rallentamenti.txt", scenario::document_bytes(scenario::slowdown_order_lines()).size()},
      {"Alvera_Monteluce_2734-2_scheda_treno.txt", scenario::document_bytes(scenario::timetable_sheet_lines()).size()},
      {"Alvera_Monteluce_linea.dat", 2'079'964},
      {"Alvera_Monteluce_2734-2.sim", sim.size()},  // its size is checked by decoding it above
      {"Alvera_Monteluce_2734-2.dat", 31'215},
  };
  EXPECT_EQ(sizes, expected) << "the description files are consumed; nothing else is left";
}

TEST(Program, SecondRunInTheSameFolderSucceedsAlike) {
  TempDir dir;
  const std::string program = install_program(dir);
  const auto first = testing_support::run_program(program);
  const auto second = testing_support::run_program(program);
  EXPECT_EQ(first.exit_status, second.exit_status);
  EXPECT_EQ(first.standard_error, second.standard_error);
}

// A compile of S_linea.txt and S_T-.txt in dir, into dir.
compiler::CompileRequest request_in(const TempDir& dir, std::int32_t j = 1) {
  compiler::CompileRequest request;
  request.output_folder = dir.path();
  request.scenario_id = "S";
  request.train_id = "T";
  request.j = j;
  return request;
}

// The compile as the one-shot program runs it: the descriptions read, the
// compile, then the consumed descriptions deleted.
compiler::CompileResult compile_in(const TempDir& dir, compiler::CompiledModel& model, std::int32_t j = 1) {
  const compiler::DescriptionFiles files{dir.file("S_linea.txt"), dir.file("S_T-.txt"), true};
  compiler::CompileRequest request = request_in(dir, j);
  request.sources = compiler::read_sources(files);
  const compiler::CompileResult result = compiler::memorizza_percorso(model, request);
  compiler::delete_consumed(files, result.report.consumed);
  return result;
}

// A compile whose line description gives no length has no route to write.
TEST(CompileDriver, StopsWithoutOutputWhenNoRouteWasSized) {
  struct Case {
    const char* name;
    std::string line_text;  // empty: no line description file at all
    int expected_kind;
  };
  const Case cases[] = {
      {"missing line description", "", 101},
      {"no general section", "[curve]\r\ncurvas2,  1000,  400\r\n[fine]\r\n", 102},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    dir.write("S_T-.txt", "[generale]\r\n[fine]\r\n");
    if (!c.line_text.empty()) dir.write("S_linea.txt", c.line_text);

    compiler::CompiledModel model;
    model.error_code = 77;  // left over from an earlier compile: cleared first
    const compiler::CompileResult result = compile_in(dir, model);

    EXPECT_EQ(result.status, compiler::CompileStatus::kNoRoute);
    EXPECT_EQ(result.exit_status(), 2);
    EXPECT_EQ(compiler::number(result.recorded_kind()), c.expected_kind);
    for (const char* output : {"S_linea.dat", "S_T.sim", "S_T.dat"}) EXPECT_FALSE(dir.exists(output)) << output;
    ASSERT_TRUE(result.stop);
    EXPECT_NE(result.stop->message.find("no route"), std::string::npos) << result.stop->message;
    // The recorded error says why; nothing follows it but the warnings.
    const std::string report = compiler::describe_outcome(result);
    EXPECT_EQ(report.find("no route"), std::string::npos) << report;
    const std::string recorded = "S_linea.txt:1:1: error " + std::to_string(c.expected_kind) + ": ";
    EXPECT_NE(report.find(recorded), std::string::npos) << report;
  }
}

TEST(CompileDriver, ClearsTheScenarioTableBeforeParsing) {
  TempDir dir;
  compiler::CompiledModel model;
  model.scenario_table[3].text = "stale";
  model.scenario_table[85].word1 = 610;
  compile_in(dir, model);
  EXPECT_EQ(model.scenario_table[3], compiler::ScenarioEntry{});
  EXPECT_EQ(model.scenario_table[85].word1, 0);
}

// What each way out of the parser leaves in the folder.
TEST(CompileDriver, ConsumesTheDescriptionsAndWritesWhatTheModelHolds) {
  const std::string board = "[indicazioni]\r\ncartello_indicatore,  1000,   A\r\n";
  struct Case {
    const char* name;
    std::string line_records;
    std::int32_t j;
    int expected_kind;
    bool train_file_left;
    bool line_data_written;
  };
  const Case cases[] = {
      {"clean, full compile", "", 1, 0, false, true},
      {"clean, no plan", "", 0, 0, false, false},
      {"error 6 ends the call before the train half", board + "cartello_indicatore,  1000,   B\r\n", 1, 6, true, true},
      {"error 15 lets the train half run", "[pendenze]\r\npendenza,  16950,   2\r\n", 1, 15, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    dir.write("S_linea.dat", "old plan");
    dir.write("S_linea.txt", "[generale]\r\nlunghezza percorso,    10000\r\n" + c.line_records + "[fine]\r\n");
    dir.write("S_T-.txt", "[generale]\r\nvelocita,   0,    100\r\n[fine]\r\n");
    compiler::CompiledModel model;
    const compiler::CompileResult result = compile_in(dir, model, c.j);
    EXPECT_EQ(result.status, compiler::CompileStatus::kWritten);
    EXPECT_EQ(compiler::number(result.recorded_kind()), c.expected_kind);
    EXPECT_EQ(result.exit_status(), c.expected_kind == 0 ? 0 : 1);
    EXPECT_FALSE(dir.exists("S_linea.txt"));
    EXPECT_EQ(dir.exists("S_T-.txt"), c.train_file_left);
    EXPECT_TRUE(dir.exists("S_T.sim"));
    EXPECT_TRUE(dir.exists("S_T.dat"));
    EXPECT_EQ(dir.read("S_linea.dat") != "old plan", c.line_data_written);
  }
}

}  // namespace
