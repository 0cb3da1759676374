#include "tools/editor_files.h"

#include <nlohmann/json.hpp>

#include "naming/file_names.h"
#include "reading/records.h"

#include <stdexcept>
#include <string_view>

namespace tools {
namespace {

// Keyword words are plain: letters, digits, blanks, underscores. Anything
// else would need escaping in two regular expression dialects, so the
// generator refuses it rather than guess.
void require_plain(std::string_view word) {
  if (word.empty()) throw std::invalid_argument("an empty keyword word");
  for (const char c : word) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' ||
                       c == '_';
    if (!plain) throw std::invalid_argument("keyword word \"" + std::string(word) + "\" holds more than letters");
  }
}

// The first field of a line, from its start, when it holds every word:
// look-aheads for all but the last word, then the field up to the comma.
// Vim's form: \%([^,]*word\)\@=; Oniguruma's: (?=[^,]*word).
std::string vim_keyword_pattern(const SyntaxKeyword& keyword) {
  std::string pattern = keyword.ignore_case ? "\\c" : "\\C";
  pattern += "^";
  for (std::size_t i = 0; i + 1 < keyword.words.size(); ++i) {
    require_plain(keyword.words[i]);
    pattern += "\\%([^,]*" + keyword.words[i] + "\\)\\@=";
  }
  require_plain(keyword.words.back());
  return pattern + "[^,]*" + keyword.words.back() + "[^,]*";
}

std::string textmate_keyword_pattern(const SyntaxKeyword& keyword) {
  std::string pattern = keyword.ignore_case ? "(?i)^" : "^";
  for (std::size_t i = 0; i + 1 < keyword.words.size(); ++i) {
    require_plain(keyword.words[i]);
    pattern += "(?=[^,]*" + keyword.words[i] + ")";
  }
  require_plain(keyword.words.back());
  return pattern + "[^,]*" + keyword.words.back() + "[^,]*";
}

std::string scope_suffix(const SyntaxLanguage& language) {
  const std::size_t dot = language.scope.find('.');
  return dot == std::string::npos ? language.scope : language.scope.substr(dot + 1);
}

}  // namespace

std::vector<SyntaxLanguage> description_languages() {
  SyntaxLanguage line{"scenario_line", "source.scenario-line", "Scenario line description",
                      "*" + std::string(naming::kLineDescriptionEnd), {}};
  SyntaxLanguage train{"scenario_train", "source.scenario-train", "Scenario train description",
                       "*" + std::string(naming::kTrainDescriptionEnd), {}};
  for (const compiler::RecordSpec& spec : compiler::record_specs()) {
    SyntaxKeyword keyword;
    for (const std::string_view word : spec.words) {
      if (!word.empty()) keyword.words.emplace_back(word);
    }
    keyword.ignore_case = !spec.cased;
    (compiler::description_of(spec.group) == compiler::Description::kLine ? line : train).keywords.push_back(keyword);
  }
  return {line, train};
}

std::string vim_syntax(const SyntaxLanguage& language) {
  std::string out;
  out += "\" Vim syntax file\n";
  out += "\" Language: " + language.title + " (" + language.file_glob + ")\n";
  out += "\" Made from the compiler's record table by scenario_tool editors; do not edit.\n\n";
  out += "if exists(\"b:current_syntax\")\n  finish\nendif\n\n";
  out += "\" A record's keyword field is coloured when it holds the words the compiler\n";
  out += "\" looks for; the rest of the field (a curve's side and radius) goes with it.\n";
  for (const SyntaxKeyword& keyword : language.keywords) {
    out += "syntax match scenarioKeyword /" + vim_keyword_pattern(keyword) + "/\n";
  }
  out += "\n";
  out += "syntax match scenarioNumber /-\\=\\<\\d\\+\\>/\n";
  out += "\" Texts: board inscriptions in parentheses, quoted fields, and a last field\n";
  out += "\" that starts with a letter (a station's name).\n";
  out += "syntax match scenarioText /([^)]*)/\n";
  out += "syntax region scenarioText start=/\"/ end=/\"/ oneline\n";
  out += "syntax match scenarioText /,\\s*\\zs\\a[^,]*$/\n";
  out += "\" A line of dashes between records is passed over by the compiler.\n";
  out += "syntax match scenarioRuler /^\\s*-\\+\\s*$/\n";
  out += "syntax match scenarioSection /^\\s*\\[[^]]*\\]/\n\n";
  out += "highlight default link scenarioKeyword Keyword\n";
  out += "highlight default link scenarioNumber Number\n";
  out += "highlight default link scenarioText String\n";
  out += "highlight default link scenarioRuler Comment\n";
  out += "highlight default link scenarioSection PreProc\n\n";
  out += "let b:current_syntax = \"" + language.id + "\"\n";
  return out;
}

std::string vim_ftdetect(const std::vector<SyntaxLanguage>& languages) {
  std::string out = "\" The description files of a scenario, by the naming rule.\n";
  out += "\" Made by scenario_tool editors; do not edit.\n";
  for (const SyntaxLanguage& language : languages) {
    // set rather than setfiletype: these names end in .txt, which Vim
    // would otherwise take for plain text.
    out += "autocmd BufNewFile,BufRead " + language.file_glob + " set filetype=" + language.id + "\n";
  }
  return out;
}

std::string neovim_lsp_plugin(const std::vector<SyntaxLanguage>& languages) {
  std::string filetypes;
  for (const SyntaxLanguage& language : languages) filetypes += (filetypes.empty() ? "'" : ", '") + language.id + "'";
  return "-- Starts `scenario_tool lsp` for the description files of a scenario and\n"
         "-- attaches every such buffer to it (Neovim 0.7 or later).\n"
         "-- Made by scenario_tool editors; do not edit.\n"
         "-- vim.g.scenario_tool_command names the program when it is not on PATH.\n"
         "if vim.g.scenario_lsp_loaded or not vim.lsp then return end\n"
         "vim.g.scenario_lsp_loaded = true\n"
         "\n"
         "local client_id = nil\n"
         "\n"
         "local function on_attach(_, buffer)\n"
         "  vim.api.nvim_buf_set_option(buffer, 'omnifunc', 'v:lua.vim.lsp.omnifunc')\n"
         "  local options = { buffer = buffer, silent = true }\n"
         "  vim.keymap.set('n', 'K', vim.lsp.buf.hover, options)\n"
         "  vim.keymap.set('n', '<leader>ca', vim.lsp.buf.code_action, options)\n"
         "  vim.keymap.set('n', '<leader>f', vim.lsp.buf.formatting, options)\n"
         "end\n"
         "\n"
         "local function attach(args)\n"
         "  if client_id == nil or vim.lsp.get_client_by_id(client_id) == nil then\n"
         "    client_id = vim.lsp.start_client({\n"
         "      name = 'scenario_tool',\n"
         "      cmd = { vim.g.scenario_tool_command or 'scenario_tool', 'lsp' },\n"
         "      root_dir = vim.fn.getcwd(),\n"
         "      on_attach = on_attach,\n"
         "    })\n"
         "  end\n"
         "  if client_id then vim.lsp.buf_attach_client(args.buf, client_id) end\n"
         "end\n"
         "\n"
         "vim.api.nvim_create_autocmd('FileType', { pattern = { " + filetypes + " }, callback = attach })\n";
}

std::string textmate_grammar(const SyntaxLanguage& language) {
  const std::string suffix = "." + scope_suffix(language);
  nlohmann::ordered_json keywords = nlohmann::ordered_json::array();
  for (const SyntaxKeyword& keyword : language.keywords) {
    keywords.push_back({{"match", textmate_keyword_pattern(keyword)}, {"name", "keyword.other" + suffix}});
  }
  nlohmann::ordered_json grammar = {
      {"name", language.title},
      {"scopeName", language.scope},
      {"fileTypes", {language.file_glob.substr(1)}},
      {"comment", "Made from the compiler's record table by scenario_tool editors; do not edit."},
      {"patterns",
       {{{"include", "#section"}},
        {{"include", "#ruler"}},
        {{"include", "#keyword"}},
        {{"include", "#text"}},
        {{"include", "#number"}}}},
      {"repository",
       {{"section", {{"match", "^\\s*\\[[^\\]]*\\]"}, {"name", "entity.name.section" + suffix}}},
        {"ruler", {{"match", "^\\s*-+\\s*$"}, {"name", "comment.line" + suffix}}},
        {"keyword", {{"patterns", keywords}}},
        {"text",
         {{"patterns",
           {{{"match", "\\([^)]*\\)"}, {"name", "string.unquoted" + suffix}},
            {{"begin", "\""}, {"end", "\"|$"}, {"name", "string.quoted.double" + suffix}},
            {{"match", "(?<=,)\\s*[A-Za-z][^,]*$"}, {"name", "string.unquoted" + suffix}}}}}},
        {"number", {{"match", "-?\\b[0-9]+\\b"}, {"name", "constant.numeric" + suffix}}}}}};
  return grammar.dump(2) + "\n";
}

std::string vscode_manifest(const std::vector<SyntaxLanguage>& languages) {
  nlohmann::ordered_json language_list = nlohmann::ordered_json::array();
  nlohmann::ordered_json grammars = nlohmann::ordered_json::array();
  for (const SyntaxLanguage& language : languages) {
    language_list.push_back(
        {{"id", language.id}, {"aliases", {language.title}}, {"filenamePatterns", {language.file_glob}}});
    grammars.push_back({{"language", language.id},
                        {"scopeName", language.scope},
                        {"path", "./syntaxes/" + language.id + ".tmLanguage.json"}});
  }
  // The diagnostics are in the compilers' own form, FILE:LINE:COLUMN:
  // SEVERITY: MESSAGE, where an error names its kind ("error 16:"); the
  // echoed source line and the caret under it match nothing.
  const nlohmann::ordered_json matcher = {
      {"name", "scenario_tool"},
      {"owner", "scenario_tool"},
      {"source", "scenario_tool"},
      {"fileLocation", {"autoDetect", "${workspaceFolder}"}},
      {"pattern",
       {{"regexp", "^(.*?):(\\d+):(\\d+): (error|warning|note)(?: \\d+)?: (.*)$"},
        {"file", 1},
        {"line", 2},
        {"column", 3},
        {"severity", 4},
        {"message", 5}}}};
  const nlohmann::ordered_json manifest = {
      {"name", "scenario-description-files"},
      {"displayName", "Scenario description files"},
      {"description", "Colouring for scenario line and train descriptions, and a problem matcher for scenario_tool."},
      {"version", "1.0.0"},
      {"publisher", "scenario-tool"},
      {"engines", {{"vscode", "^1.60.0"}}},
      {"contributes",
       {{"languages", language_list}, {"grammars", grammars}, {"problemMatchers", {matcher}}}}};
  return manifest.dump(2) + "\n";
}

std::vector<EditorFile> editor_files(const std::vector<SyntaxLanguage>& languages) {
  std::vector<EditorFile> files;
  for (const SyntaxLanguage& language : languages) {
    files.push_back({"vim/syntax/" + language.id + ".vim", vim_syntax(language)});
  }
  files.push_back({"vim/ftdetect/scenario.vim", vim_ftdetect(languages)});
  // Neovim finds the file types and starts the language server from its
  // own folder; Vim ignores Lua plugins.
  files.push_back({"nvim/ftdetect/scenario.vim", vim_ftdetect(languages)});
  files.push_back({"nvim/plugin/scenario_lsp.lua", neovim_lsp_plugin(languages)});
  for (const SyntaxLanguage& language : languages) {
    files.push_back({"vscode/syntaxes/" + language.id + ".tmLanguage.json", textmate_grammar(language)});
  }
  files.push_back({"vscode/package.json", vscode_manifest(languages)});
  return files;
}

}  // namespace tools
