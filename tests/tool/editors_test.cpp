// scenario_tool editors: the Vim syntax files load in a bare Vim and colour
// every record of real description files; the TextMate grammars do too.

#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "reading/records.h"
#include "scenario/line_description.h"
#include "scenario/train_description.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ProgramRun;
using testing_support::TempDir;

ProgramRun tool(const std::vector<std::string>& arguments) {
  return testing_support::run_program(SCENARIO_TOOL_EXE, arguments);
}

// The Vim on the PATH (the programs are started without a shell).
std::string vim_program() {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "/usr/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / "vim";
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  ADD_FAILURE() << "vim is not on the PATH; the build's package list installs it";
  return "vim";
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// What the colouring must say about the start of each line: a section
// header, a record's keyword, or a ruler of dashes.
std::string expected_group(const std::string& line) {
  if (line.empty()) return "";
  if (line.front() == '[') return "scenarioSection";
  if (line.front() == '-') return "scenarioRuler";
  return "scenarioKeyword";
}

struct DescriptionCase {
  const char* name;  // the file name selects the file type
  std::string text;
};

std::vector<DescriptionCase> description_cases(const TempDir& sample) {
  return {
      {"Alvera_Monteluce_linea.txt", scenario::document_bytes(scenario::line_description_lines())},
      {"Alvera_Monteluce_2734-2-.txt", scenario::document_bytes(scenario::train_description_lines())},
      {"S_linea.txt", sample.read("S_linea.txt")},
      // Every train keyword, a ruler line and capital letters, which the
      // compiler accepts as well.
      {"S_1-.txt", sample.read("S_1-.txt") + "----------------\r\nRALLENTAMENTO, 3000, 60, 400, 0, 1, 0\r\n"
                                            "abbattimento, 2000, 180\r\n[fine]\r\n"},
  };
}

class ToolEditors : public testing::Test {
 protected:
  void SetUp() override {
    const ProgramRun run = tool({"editors", files.path()});
    ASSERT_EQ(run.exit_status, 0) << run.standard_error;
    ASSERT_EQ(tool({"new", "S", "-o", sample.path()}).exit_status, 0);
  }
  TempDir files;
  TempDir sample;
};

TEST_F(ToolEditors, VimLoadsTheSyntaxHeadlessAndColoursEveryRecord) {
  for (const DescriptionCase& description : description_cases(sample)) {
    TempDir work;
    const std::string path = work.write(description.name, description.text);
    const std::string result = work.file("groups.txt");
    // Only the installed folder, the syntax and the file: no user setup. The
    // folder goes first, so that switching the syntax on finds its file type
    // detection.
    const ProgramRun run = testing_support::run_program(
        vim_program(), {"-Nu", "NONE", "-i", "NONE", "-es", "--cmd", "set runtimepath^=" + files.file("vim"), "-c",
                "syntax on", "-c", "edit " + path, "-c",
                "call writefile([&filetype] + map(range(1, line('$')), "
                "'synIDattr(synID(v:val, 1, 1), \"name\")'), '" + result + "')",
                "-c", "qa!"});
    ASSERT_EQ(run.exit_status, 0) << description.name << ": " << run.standard_error << run.standard_output;
    const std::vector<std::string> groups = lines_of(work.read("groups.txt"));
    const std::vector<std::string> lines = lines_of(description.text);
    ASSERT_EQ(groups.size(), lines.size() + 1) << description.name;
    const bool line_file = std::string(description.name).ends_with("_linea.txt");
    EXPECT_EQ(groups[0], line_file ? "scenario_line" : "scenario_train") << description.name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(groups[i + 1], expected_group(lines[i])) << description.name << " line " << i + 1 << ": "
                                                          << lines[i];
    }
  }
}

TEST_F(ToolEditors, VimColoursNumbersAndTexts) {
  TempDir work;
  const std::string path = work.write("S_linea.txt",
                                      "[generale]\r\nlunghezza percorso,    6000\r\n"
                                      "cartello_indicatore,  2450,   (GALLERIA)(COLLE)\r\n[fine]\r\n");
  const std::string result = work.file("groups.txt");
  const ProgramRun run = testing_support::run_program(
      vim_program(), {"-Nu", "NONE", "-i", "NONE", "-es", "--cmd", "set runtimepath^=" + files.file("vim"), "-c",
              "syntax on", "-c", "edit " + path, "-c",
              "call writefile([synIDattr(synID(2, 24, 1), 'name'), synIDattr(synID(3, 23, 1), 'name'), "
              "synIDattr(synID(3, 31, 1), 'name')], '" + result + "')",
              "-c", "qa!"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(lines_of(work.read("groups.txt")),
            (std::vector<std::string>{"scenarioNumber", "scenarioNumber", "scenarioText"}));
}

// The keyword patterns of a grammar, as ECMAScript expressions (Oniguruma's
// (?i) becomes the icase flag).
std::vector<std::regex> grammar_keywords(const nlohmann::json& grammar) {
  std::vector<std::regex> patterns;
  for (const auto& rule : grammar.at("repository").at("keyword").at("patterns")) {
    std::string match = rule.at("match");
    const bool icase = match.starts_with("(?i)");
    if (icase) match.erase(0, 4);
    patterns.emplace_back(match, icase ? std::regex::ECMAScript | std::regex::icase : std::regex::ECMAScript);
  }
  return patterns;
}

TEST_F(ToolEditors, TextMateGrammarsMatchEveryRecordAndNoSection) {
  const nlohmann::json manifest = nlohmann::json::parse(files.read("vscode/package.json"));
  const auto& grammars = manifest.at("contributes").at("grammars");
  ASSERT_EQ(grammars.size(), 2u);
  for (const DescriptionCase& description : description_cases(sample)) {
    const bool line_file = std::string(description.name).ends_with("_linea.txt");
    const std::string id = line_file ? "scenario_line" : "scenario_train";
    const nlohmann::json grammar = nlohmann::json::parse(files.read("vscode/syntaxes/" + id + ".tmLanguage.json"));
    EXPECT_EQ(grammar.at("scopeName"), line_file ? "source.scenario-line" : "source.scenario-train");
    const std::vector<std::regex> keywords = grammar_keywords(grammar);
    for (const std::string& line : lines_of(description.text)) {
      bool keyword = false;
      for (const std::regex& pattern : keywords) keyword = keyword || std::regex_search(line, pattern);
      EXPECT_EQ(keyword, expected_group(line) == "scenarioKeyword") << description.name << ": " << line;
    }
  }
}

// Every keyword of the record table has its pattern in both files of its
// language, with the table's words and letter-case rule.
TEST_F(ToolEditors, EveryKeywordOfTheTableIsInItsLanguagesFiles) {
  for (const compiler::RecordSpec& spec : compiler::record_specs()) {
    const bool line_file = compiler::description_of(spec.group) == compiler::Description::kLine;
    const std::string id = line_file ? "scenario_line" : "scenario_train";
    const std::string other = line_file ? "scenario_train" : "scenario_line";
    const std::string vim = files.read("vim/syntax/" + id + ".vim");
    const std::string grammar = files.read("vscode/syntaxes/" + id + ".tmLanguage.json");
    std::string vim_pattern = spec.cased ? "/\\C^" : "/\\c^";
    std::string grammar_pattern = spec.cased ? "\"^" : "\"(?i)^";
    std::vector<std::string_view> words;
    for (const std::string_view word : spec.words) {
      if (!word.empty()) words.push_back(word);
    }
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
      vim_pattern += "\\%([^,]*" + std::string(words[i]) + "\\)\\@=";
      grammar_pattern += "(?=[^,]*" + std::string(words[i]) + ")";
    }
    vim_pattern += "[^,]*" + std::string(words.back()) + "[^,]*/";
    grammar_pattern += "[^,]*" + std::string(words.back()) + "[^,]*\"";
    EXPECT_NE(vim.find(vim_pattern), std::string::npos) << spec.keyword << ": " << vim_pattern;
    EXPECT_NE(grammar.find(grammar_pattern), std::string::npos) << spec.keyword << ": " << grammar_pattern;
    EXPECT_EQ(files.read("vim/syntax/" + other + ".vim").find(vim_pattern), std::string::npos) << spec.keyword;
  }
}

TEST_F(ToolEditors, TheProblemMatcherReadsTheDiagnosticLines) {
  const nlohmann::json manifest = nlohmann::json::parse(files.read("vscode/package.json"));
  const auto& matcher = manifest.at("contributes").at("problemMatchers").at(0);
  EXPECT_EQ(matcher.at("name"), "scenario_tool");
  const auto& pattern = matcher.at("pattern");
  const std::regex regexp(pattern.at("regexp").get<std::string>());
  std::smatch match;
  const std::string line =
      "dir/S_T-.txt:6:1: error 16: the cell of this signal is already taken (scenario_tool explain 16)";
  ASSERT_TRUE(std::regex_match(line, match, regexp));
  EXPECT_EQ(match[pattern.at("file").get<int>()], "dir/S_T-.txt");
  EXPECT_EQ(match[pattern.at("line").get<int>()], "6");
  EXPECT_EQ(match[pattern.at("column").get<int>()], "1");
  EXPECT_EQ(match[pattern.at("severity").get<int>()], "error");
  EXPECT_EQ(match[pattern.at("message").get<int>()],
            "the cell of this signal is already taken (scenario_tool explain 16)");
  const std::string warning = "S_linea.txt:3:1: warning: no such keyword";
  ASSERT_TRUE(std::regex_match(warning, match, regexp));
  EXPECT_EQ(match[pattern.at("severity").get<int>()], "warning");
  EXPECT_FALSE(std::regex_match(std::string("segnale,    2060,   2, 4, 1"), regexp));
}

// The settings the editor guide gives, taken from the guide itself.
std::string guide_line_after(std::string_view start) {
  std::ifstream in(std::string(TEST_SOURCE_DIR) + "/../docs/editors.md");
  for (std::string line; std::getline(in, line);) {
    const std::size_t at = line.find(start);
    if (at != std::string::npos) return line.substr(at + start.size());
  }
  ADD_FAILURE() << "docs/editors.md has no line with " << start;
  return {};
}

TEST_F(ToolEditors, TheGuidesVimErrorFormatReadsTheDiagnostics) {
  TempDir work;
  const std::string result = work.file("list.txt");
  const ProgramRun run = testing_support::run_program(
      vim_program(),
      {"-Nu", "NONE", "-i", "NONE", "-es", "-c", "set errorformat=" + guide_line_after("set errorformat="), "-c",
       "cexpr ['S_T-.txt:6:3: error 16: the cell of this signal is already taken', "
       "'segnale,    2060,   2, 4', '  ^', 'S_linea.txt:12:1: warning: a word', 'S_linea.txt:9:1: note: here']",
       "-c",
       "call writefile(map(filter(getqflist(), 'v:val.valid'), "
       "'bufname(v:val.bufnr) . \"|\" . v:val.lnum . \"|\" . v:val.col . \"|\" . v:val.type . \"|\" . "
       "v:val.nr . \"|\" . v:val.text'), '" +
           result + "')",
       "-c", "qa!"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(lines_of(work.read("list.txt")),
            (std::vector<std::string>{"S_T-.txt|6|3|e|16|the cell of this signal is already taken",
                                      "S_linea.txt|12|1|w|-1|a word", "S_linea.txt|9|1|n|-1|here"}));
}

// What `check` prints about whole files: a train description that does not
// exist, and one without a station. Each stands at 1:1.
std::string whole_file_diagnostics(const TempDir& work) {
  work.write("S_linea.txt", "[generale]\r\nlunghezza percorso,    5000\r\n[fine]\r\n");
  work.write("S_T-.txt", "[generale]\r\nvelocita,   0,   100\r\n[fine]\r\n");
  std::string lines;
  for (const char* train : {"S_X-.txt", "S_T-.txt"}) {
    const ProgramRun run = testing_support::run_program(
        SCENARIO_TOOL_EXE, {"check", work.file("S_linea.txt"), work.file(train)});
    for (const std::string& line : lines_of(run.standard_output)) {
      if (line.find(": error") != std::string::npos || line.find(": warning") != std::string::npos) {
        lines += line + "\n";
      }
    }
  }
  return lines;
}

TEST_F(ToolEditors, BothMatchersTakeTheDiagnosticsAboutAWholeFile) {
  TempDir work;
  const std::string output = whole_file_diagnostics(work);
  const std::vector<std::string> shown = lines_of(output);
  ASSERT_EQ(shown.size(), 2u) << output;

  const nlohmann::json manifest = nlohmann::json::parse(files.read("vscode/package.json"));
  const auto& pattern = manifest.at("contributes").at("problemMatchers").at(0).at("pattern");
  const std::regex regexp(pattern.at("regexp").get<std::string>());
  for (const std::string& line : shown) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(line, match, regexp)) << line;
    EXPECT_EQ(match[pattern.at("line").get<int>()], "1") << line;
    EXPECT_EQ(match[pattern.at("column").get<int>()], "1") << line;
  }

  const std::string listed = work.write("check.txt", output);
  const std::string result = work.file("list.txt");
  const ProgramRun run = testing_support::run_program(
      vim_program(),
      {"-Nu", "NONE", "-i", "NONE", "-es", "-c", "set errorformat=" + guide_line_after("set errorformat="), "-c",
       "cgetfile " + listed, "-c",
       "call writefile(map(filter(getqflist(), 'v:val.valid'), "
       "'fnamemodify(bufname(v:val.bufnr), \":t\") . \"|\" . v:val.lnum . \"|\" . v:val.col . \"|\" . "
       "v:val.type'), '" +
           result + "')",
       "-c", "qa!"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(lines_of(work.read("list.txt")), (std::vector<std::string>{"S_X-.txt|1|1|e", "S_T-.txt|1|1|w"}));
}

TEST_F(ToolEditors, TheGuideGivesTheExtensionsPattern) {
  const nlohmann::json manifest = nlohmann::json::parse(files.read("vscode/package.json"));
  const std::string pattern = manifest.at("contributes").at("problemMatchers").at(0).at("pattern").at("regexp");
  // Shown once as it is and once inside a JSON string.
  EXPECT_EQ(guide_line_after("    ^(.*?)"), pattern.substr(std::string("^(.*?)").size()));
  std::string quoted = guide_line_after("\"regexp\": ");
  if (quoted.ends_with(',')) quoted.pop_back();
  EXPECT_EQ(nlohmann::json::parse(quoted), pattern);
}

}  // namespace
