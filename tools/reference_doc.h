#pragma once
// A reference document as a list of plain blocks, written out as Markdown
// (the page in docs/) or as a manual page (roff with tbl tables), so that
// both come from the same content.

#include <string>
#include <string_view>
#include <vector>

namespace tools {

// Inline text may hold `code` in backquotes; nothing else is marked up.
struct DocBlock {
  enum class Kind { kHeading, kParagraph, kCode, kTable, kList };
  Kind kind = Kind::kParagraph;
  int level = 0;     // headings: 1, 2 or 3
  std::string text;  // heading, paragraph; code: lines ended by "\n"
  // Table: the header row, then the body rows. List: one item per row, in
  // the row's first cell.
  std::vector<std::vector<std::string>> rows;
};

class Doc {
 public:
  void heading(int level, std::string text);
  void paragraph(std::string text);
  void code(std::string lines);
  void table(std::vector<std::vector<std::string>> rows);
  void list(std::vector<std::string> items);
  const std::vector<DocBlock>& blocks() const { return blocks_; }

 private:
  std::vector<DocBlock> blocks_;
};

std::string render_markdown(const Doc& doc);

struct ManPage {
  std::string name;     // "scenario_tool-formats"
  int section = 5;
  std::string source;   // "scenario_tool 1.0.0"
  std::string manual;   // "File Formats"
  std::string summary;  // the NAME line: name, " - ", summary
};
// Level-1 headings are the page's title and stay out of the manual page,
// which has its NAME line instead.
std::string render_man(const Doc& doc, const ManPage& page);

}  // namespace tools
