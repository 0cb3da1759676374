#pragma once
// Runs the parser over small line descriptions written into a fresh
// temporary folder, so that each case is a few lines of text beside its
// expectations.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/parser.h"
#include "model/model.h"
#include "support/temp_dir.h"

namespace line_test {

// The lines joined, each ended by CR LF.
inline std::string lines(const std::vector<std::string>& text) {
  std::string joined;
  for (const std::string& line : text) joined += line + "\r\n";
  return joined;
}

// A whole line description: a general section giving the line length, the
// records as given, and the closing "[fine]".
inline std::string line_file(std::int32_t length, const std::vector<std::string>& records) {
  std::vector<std::string> text = {"[generale]", "lunghezza percorso,    " + std::to_string(length), "[curve]"};
  text.insert(text.end(), records.begin(), records.end());
  text.push_back("[fine]");
  return lines(text);
}

// A train description with nothing in it for the train half to store.
inline constexpr std::string_view kQuietTrainFile = "[generale]\r\n[fine]\r\n";

// Position left in the model before a compile, to see that a kind without a
// position leaves it alone.
inline constexpr std::int32_t kUntouchedPosition = -4242;

class LineFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.line_path = folder_.file(kLineName);
    files_.train_path = folder_.file(kTrainName);
    files_.consume = true;
  }

  // Writes the line description and a quiet train description, then parses
  // both into a fresh model.
  compiler::CompiledModel compile(const std::string& line_text, std::int32_t full_compile = 1) {
    folder_.write(kLineName, line_text);
    return parse(full_compile);
  }

  // Parses with no line description in the folder.
  compiler::CompiledModel compile_without_line_file() { return parse(1); }

  bool line_file_left() const { return folder_.exists(kLineName); }
  bool train_file_left() const { return folder_.exists(kTrainName); }
  const std::optional<compiler::Diagnostic>& error_source() const { return error_source_; }

 private:
  compiler::CompiledModel parse(std::int32_t full_compile) {
    folder_.write(kTrainName, kQuietTrainFile);
    compiler::CompiledModel model;
    model.scenario_id = "Prova";
    model.train_id = "T1";
    model.full_compile = full_compile;
    model.error_position = kUntouchedPosition;
    // Left over from an earlier compile: the line half starts its counts afresh.
    model.tunnel_count = 80;
    model.next_board_entry = 1;
    compiler::memorizza_dati(model, files_, &error_source_);
    return model;
  }

  static constexpr std::string_view kLineName = "Prova_linea.txt";
  static constexpr std::string_view kTrainName = "Prova_T1-.txt";
  testing_support::TempDir folder_;
  compiler::DescriptionFiles files_;
  std::optional<compiler::Diagnostic> error_source_;
};

}  // namespace line_test
