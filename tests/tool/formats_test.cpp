// The reference page of the description files against the compiler's record
// table, both ways: every record, field and error kind of the table is on
// the page, and the page holds no record, field or kind the table does not.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "reading/error_kinds.h"
#include "reading/records.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ProgramRun;

ProgramRun tool(const std::vector<std::string>& arguments) {
  return testing_support::run_program(SCENARIO_TOOL_EXE, arguments);
}

std::string page_text() {
  std::ifstream in(std::string(TEST_SOURCE_DIR) + "/../docs/description-files.md", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// One record's part of the page: from its "### `keyword`" heading to the
// next heading.
struct PageRecord {
  std::vector<std::string> field_rows;  // names of the field table's rows, in order
  std::string text;
};

// The records of the page, by keyword, and the kinds of its error table.
struct Page {
  std::map<std::string, PageRecord> records;
  std::vector<std::string> record_order;
  std::set<std::int32_t> kinds;
};

Page parse_page(const std::string& text) {
  Page page;
  std::istringstream in(text);
  PageRecord* record = nullptr;
  bool in_kinds = false;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("#")) {
      record = nullptr;
      in_kinds = line == "## Error kinds";
      if (line.starts_with("### `")) {
        const std::string keyword = line.substr(5, line.find('`', 5) - 5);
        EXPECT_FALSE(page.records.count(keyword)) << "twice on the page: " << keyword;
        record = &page.records[keyword];
        page.record_order.push_back(keyword);
      }
      continue;
    }
    if (record) {
      record->text += line + '\n';
      if (line.starts_with("| `")) record->field_rows.push_back(line.substr(3, line.find('`', 3) - 3));
    }
    if (in_kinds && line.starts_with("| ") && !line.starts_with("| Kind")) {
      page.kinds.insert(std::stoi(line.substr(2)));
    }
  }
  return page;
}

TEST(FormatsPage, IsTheToolsReferenceAsCommitted) {
  const ProgramRun run = tool({"formats"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_TRUE(run.standard_output == page_text())
      << "docs/description-files.md differs from the table; write it again with\n"
         "  scenario_tool formats -o docs/description-files.md";
}

TEST(FormatsPage, HoldsEveryRecordAndFieldOfTheTable) {
  const Page page = parse_page(page_text());
  for (const compiler::RecordSpec& spec : compiler::record_specs()) {
    const std::string keyword(spec.keyword);
    ASSERT_TRUE(page.records.count(keyword)) << "no section for " << keyword;
    const PageRecord& record = page.records.at(keyword);
    std::vector<std::string> fields;
    for (const compiler::FieldSpec& field : spec.fields) fields.emplace_back(field.name);
    EXPECT_EQ(record.field_rows, fields) << keyword;
    EXPECT_NE(record.text.find("Section `" + std::string(spec.section) + "`"), std::string::npos) << keyword;
    EXPECT_NE(record.text.find("    " + std::string(spec.example) + "\n"), std::string::npos) << keyword;
    for (const compiler::ErrorKind kind : spec.error_kinds) {
      const std::string number = std::to_string(compiler::number(kind));
      EXPECT_NE(record.text.find(number + " ("), std::string::npos) << keyword << " kind " << number;
    }
  }
}

TEST(FormatsPage, HoldsNothingTheTableDoesNot) {
  const Page page = parse_page(page_text());
  std::set<std::string> keywords;
  for (const compiler::RecordSpec& spec : compiler::record_specs()) keywords.emplace(spec.keyword);
  for (const auto& [keyword, record] : page.records) {
    EXPECT_TRUE(keywords.count(keyword)) << "the page has a record the table does not: " << keyword;
  }
  EXPECT_EQ(page.records.size(), keywords.size());
  for (const std::int32_t kind : page.kinds) {
    EXPECT_TRUE(compiler::error_kind_of(kind)) << "kind " << kind;
  }
  for (const compiler::ErrorKindRow& row : compiler::error_kinds()) {
    EXPECT_TRUE(page.kinds.count(compiler::number(row.kind))) << "kind " << compiler::number(row.kind)
                                                               << " is not on the page";
  }
}

TEST(FormatsPage, ListsEveryWarningRule) {
  const std::string text = page_text();
  for (const compiler::WarningRuleRow& row : compiler::warning_rules()) {
    EXPECT_NE(text.find("| `" + std::string(row.name) + "` | " + std::string(row.meaning) + " |"), std::string::npos)
        << row.name;
  }
}

// The prose of a record names the error kinds its conditions give ("(error
// 21)"), and those it leads to elsewhere ("(errors 11, 13)" of the post-pass
// at a signal): each must be a kind of the registry, so that the numbers an
// author reads there cannot drift from it.
TEST(FormatsPage, ErrorsNamedInARecordsProseAreKinds) {
  const std::regex mention("\\berrors? ([0-9]+(?:, [0-9]+)*)");
  int mentions = 0;
  for (const compiler::RecordSpec& spec : compiler::record_specs()) {
    for (const std::string_view prose : {spec.summary, spec.effect}) {
      const std::string text(prose);
      for (auto match = std::sregex_iterator(text.begin(), text.end(), mention); match != std::sregex_iterator();
           ++match) {
        std::istringstream numbers((*match)[1].str());
        std::string number;
        while (std::getline(numbers, number, ',')) {
          ++mentions;
          EXPECT_TRUE(compiler::error_kind_of(std::stoi(number))) << spec.keyword << " names error " << number;
        }
      }
    }
  }
  EXPECT_GE(mentions, 15);
}

// Each record's example is a line the compiler takes for that record and for
// no other of its file.
TEST(FormatsPage, EveryExampleIsRecognisedAsItsRecord) {
  for (const compiler::RecordSpec& spec : compiler::record_specs()) {
    const std::string_view example = spec.example;
    const compiler::KeywordField keyword_field(example.substr(0, example.find(',')));
    for (const compiler::RecordSpec& other : compiler::record_specs()) {
      if (other.group != spec.group) continue;
      EXPECT_EQ(compiler::keyword_matches(other, keyword_field), &other == &spec)
          << spec.keyword << ": its example \"" << example << "\" against " << other.keyword;
    }
  }
}

std::string program_on_path(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "/usr/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  ADD_FAILURE() << name << " is not on the PATH; the build's package list installs it";
  return name;
}

// The manual page goes through tbl and the man macros without a warning.
TEST(FormatsPage, ManualPageFormatsWithoutWarnings) {
  testing_support::TempDir dir;
  const std::string page = dir.file("scenario_tool-formats.5");
  const ProgramRun made = tool({"formats", "--man", "-o", page});
  ASSERT_EQ(made.exit_status, 0) << made.standard_error;
  const std::string text = dir.read("scenario_tool-formats.5");
  EXPECT_NE(text.find(".TH SCENARIO_TOOL-FORMATS 5 "), std::string::npos);
  EXPECT_NE(text.find(".SH NAME\nscenario_tool\\-formats \\- "), std::string::npos);
  const ProgramRun groff = testing_support::run_program(program_on_path("groff"),
                                                        {"-t", "-man", "-Tutf8", "-ww", "-z", page});
  EXPECT_EQ(groff.exit_status, 0);
  EXPECT_EQ(groff.standard_error, "");
  for (const compiler::RecordSpec& spec : compiler::record_specs()) {
    std::string keyword;
    for (const char c : spec.keyword) keyword += c == '-' ? std::string("\\-") : std::string(1, c);
    EXPECT_NE(text.find(".SS \\fB" + keyword + "\\fR"), std::string::npos) << spec.keyword;
  }
}

}  // namespace
