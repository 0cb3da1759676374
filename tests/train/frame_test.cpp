// The train half inside the whole parser: what a line error 15 leaves for
// it, and how its reading failures end the call.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "compiler/parser.h"
#include "support/temp_dir.h"

namespace {

// A 97 km line (cells 0 .. 2080) with the given line records.
std::string line_text(const std::string& records = "") {
  return "[generale]\r\nlunghezza percorso,    97000\r\n[curve]\r\n" + records + "[fine]\r\n";
}

class ParserFrame : public ::testing::Test {
 protected:
  void parse(const std::string& line, const std::string& train) {
    files_.line_path = folder_.write("P_linea.txt", line);
    files_.train_path = folder_.write("P_T-.txt", "[generale]\r\n" + train + "[fine]\r\n");
    model.scenario_id = "P";
    model.train_id = "T";
    model.error_position = 1234;
    compiler::memorizza_dati(model, files_, &source);
  }
  bool files_left() const { return folder_.exists("P_linea.txt") || folder_.exists("P_T-.txt"); }

  compiler::CompiledModel model;
  std::optional<compiler::Diagnostic> source;

 private:
  testing_support::TempDir folder_;
  compiler::DescriptionFiles files_;
};

TEST_F(ParserFrame, TrainFailureIsError25WithBothFilesGone) {
  const struct {
    const char* name;
    const char* record;
  } cases[] = {
      {"number out of range", "sabbia, 1\r\nsegnale, 5000, 1, 0, 0, 0, 0, 0, 0, 0, 0, 99999999999\r\n"},
      {"signal too close to the start", "sabbia, 1\r\nsegnale, 100, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0\r\n"},
      {"speed that does not fit its byte", "sabbia, 1\r\nvelocita, 0, 2000\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model = {};
    parse(line_text(), c.record);
    EXPECT_EQ(model.error_code, 25);
    EXPECT_EQ(model.error_position, 1234);
    EXPECT_FALSE(files_left());
  }
  // The record being read is reported; completion failures have no record.
  model = {};
  parse(line_text(), "sabbia, 1\r\nsegnale, 100, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0\r\n");
  ASSERT_TRUE(source.has_value());
  EXPECT_EQ(source->line, 3);
  EXPECT_NE(source->file.find("P_T-.txt"), std::string::npos);
}

TEST_F(ParserFrame, LineError15LeavesTheTrainToRunInFull) {
  parse(line_text("pendenza,  103950,   5\r\n"),
        "velocita, 0, 100\r\nsegnale, 1050, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\nsabbia, 7\r\n");
  EXPECT_EQ(model.error_code, 15);
  EXPECT_EQ(model.error_position, 103950);
  EXPECT_EQ(model.route[22].kind, compiler::kSignal);
  EXPECT_EQ(model.scenario_table[86].word1, 7);
  EXPECT_EQ(model.route[2077].speed_limit, 20);
  EXPECT_FALSE(files_left());
}

}  // namespace
