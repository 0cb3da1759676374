#pragma once
// A small train description written into a temporary folder and read by the
// train half alone, over a route sized by hand (the line half is not run).

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "compiler/field_reader.h"
#include "compiler/model.h"
#include "compiler/train_parser.h"
#include "support/temp_dir.h"

namespace train_test {

class TrainFile : public ::testing::Test {
 protected:
  void SetUp() override {
    model.scenario_id = "prova";
    model.train_id = "1";
    model.size_route(97000);  // cells 0 .. 2080
  }
  std::string path() const { return folder_.file(kFileName); }

  // Writes text as the train description, as it stands.
  void write_raw(std::string_view text) const { folder_.write(kFileName, text); }

  // Writes "[generale]" and the given records, one per line ended by CR LF,
  // and a closing "[fine]" line (the last field of a file is never handled).
  void write_records(std::string_view records) const {
    std::string text = "[generale]\r\n";
    std::size_t begin = 0;
    while (begin < records.size()) {
      std::size_t end = records.find('\n', begin);
      if (end == std::string_view::npos) end = records.size();
      text.append(records.substr(begin, end - begin));
      text += "\r\n";
      begin = end + 1;
    }
    text += "[fine]\r\n";
    write_raw(text);
  }

  // Runs the train half on the file written. False when it ended in a
  // reading failure (error 25, which the caller of the half records).
  bool run() {
    compiler::DescriptionFile file(path(), /*consume=*/true);
    try {
      compiler::TrainParser(model, file, source).run();
      return true;
    } catch (const compiler::ReadingFailure&) {
      return false;
    }
  }

  bool compile(std::string_view records) {
    write_records(records);
    return run();
  }

  bool file_left() const { return folder_.exists(kFileName); }
  compiler::RouteCell& cell(int index) { return model.route.at(static_cast<std::size_t>(index)); }
  compiler::ScenarioEntry& entry(int index) { return model.scenario_table.at(static_cast<std::size_t>(index)); }

  compiler::CompiledModel model;
  std::optional<compiler::ErrorSource> source;

 private:
  static constexpr std::string_view kFileName = "prova_1-.txt";
  testing_support::TempDir folder_;
};

}  // namespace train_test
