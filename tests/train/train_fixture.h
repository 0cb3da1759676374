#pragma once
// A small train description written into a temporary folder and read by the
// train half alone, over a route sized by hand (the line half is not run).

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include <filesystem>
#include <memory>

#include "compiler/recording_sink.h"
#include "compiler/train_parser.h"
#include "model/model.h"
#include "reading/field_reader.h"
#include "reading/record_reading.h"
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

  // Runs the train half on the file written, and deletes the file when the
  // reading consumed it, as the one-shot program does. False when it ended
  // in a reading failure (error 25). source gets the diagnostic of the kind
  // recorded, if any.
  bool run() {
    const compiler::SourceText train = compiler::read_source(path());
    const compiler::SourceText no_line;
    compiler::RecordingSink sink(model);
    compiler::ReadingContext context(no_line, train, sink);
    context.clear_holders(model.route.size());
    bool completed = true;
    try {
      compiler::TrainParser(model, context).run();
    } catch (const compiler::ReadingEnded&) {
      completed = false;
    }
    if (context.train.consumed()) std::filesystem::remove(path());
    source = sink.recorded();
    return completed;
  }

  // A reading context over no text at all, to call the storing routines
  // directly; what they report is recorded in model.
  compiler::ReadingContext& bare_context() {
    if (!bare_context_) {
      bare_sink_ = std::make_unique<compiler::RecordingSink>(model);
      bare_context_ = std::make_unique<compiler::ReadingContext>(bare_text_, bare_text_, *bare_sink_);
      bare_context_->clear_holders(model.route.size());
    }
    return *bare_context_;
  }

  bool compile(std::string_view records) {
    write_records(records);
    return run();
  }

  bool file_left() const { return folder_.exists(kFileName); }
  compiler::RouteCell& cell(int index) { return model.route.at(static_cast<std::size_t>(index)); }
  compiler::ScenarioEntry& entry(int index) { return model.scenario_table.at(static_cast<std::size_t>(index)); }

  compiler::CompiledModel model;
  std::optional<compiler::Diagnostic> source;

 private:
  compiler::SourceText bare_text_;
  std::unique_ptr<compiler::RecordingSink> bare_sink_;
  std::unique_ptr<compiler::ReadingContext> bare_context_;
  static constexpr std::string_view kFileName = "prova_1-.txt";
  testing_support::TempDir folder_;
};

}  // namespace train_test
