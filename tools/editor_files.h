#pragma once
// Editor support for the two description files, made from the compiler's
// record table: Vim syntax files with their file type detection, and
// TextMate grammars packed as a VS Code extension with a problem matcher
// for the tool's diagnostics.

#include <string>
#include <vector>

namespace tools {

// One record kind as the colouring sees it: a keyword field is coloured
// when it holds every word, compared exactly or ignoring letter case, as
// the compiler matches it.
struct SyntaxKeyword {
  std::vector<std::string> words;
  bool ignore_case = true;
};

// One description file's language.
struct SyntaxLanguage {
  std::string id;         // "scenario_line": the Vim file type
  std::string scope;      // "source.scenario-line": the TextMate scope
  std::string title;      // "Scenario line description"
  std::string file_glob;  // "*_linea.txt"
  std::vector<SyntaxKeyword> keywords;
};

// The two languages, from the record table.
std::vector<SyntaxLanguage> description_languages();

std::string vim_syntax(const SyntaxLanguage& language);
std::string vim_ftdetect(const std::vector<SyntaxLanguage>& languages);
// A Neovim plugin that starts `scenario_tool lsp` for both file types.
std::string neovim_lsp_plugin(const std::vector<SyntaxLanguage>& languages);
std::string textmate_grammar(const SyntaxLanguage& language);
// The manifest of a VS Code extension holding the grammars and the problem
// matcher "scenario_tool".
std::string vscode_manifest(const std::vector<SyntaxLanguage>& languages);

// A file to write: its path under the output folder and its text.
struct EditorFile {
  std::string path;
  std::string text;
};
// vim/syntax/ID.vim, vim/ftdetect/scenario.vim, nvim/ftdetect/scenario.vim,
// nvim/plugin/scenario_lsp.lua, vscode/package.json and
// vscode/syntaxes/ID.tmLanguage.json.
std::vector<EditorFile> editor_files(const std::vector<SyntaxLanguage>& languages);

}  // namespace tools
