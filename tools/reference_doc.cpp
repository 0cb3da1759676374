#include "tools/reference_doc.h"

#include <algorithm>
#include <cctype>

namespace tools {
namespace {

// A Markdown table cell: a bar would end the cell.
std::string markdown_cell(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '|') out += '\\';
    out += c;
  }
  return out;
}

// roff text: backslashes doubled as \e, `code` in bold, a line that starts
// with a dot or a quote protected by a zero-width \&.
std::string roff_inline(std::string_view text) {
  std::string out;
  bool in_code = false;
  for (const char c : text) {
    if (c == '`') {
      out += in_code ? "\\fR" : "\\fB";
      in_code = !in_code;
    } else if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  if (in_code) out += "\\fR";
  return out;
}

std::string roff_line(std::string_view text) {
  std::string line = roff_inline(text);
  if (!line.empty() && (line.front() == '.' || line.front() == '\'')) line.insert(0, "\\&");
  return line + '\n';
}

// Code keeps its blanks: no fill, no adjustment; still escaped.
std::string roff_code_line(std::string_view text) {
  std::string line;
  for (const char c : text) {
    if (c == '\\') {
      line += "\\e";
    } else if (c == '-') {
      line += "\\-";
    } else {
      line += c;
    }
  }
  if (!line.empty() && (line.front() == '.' || line.front() == '\'')) line.insert(0, "\\&");
  return line + '\n';
}

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

void Doc::heading(int level, std::string text) {
  blocks_.push_back({DocBlock::Kind::kHeading, level, std::move(text), {}});
}
void Doc::paragraph(std::string text) { blocks_.push_back({DocBlock::Kind::kParagraph, 0, std::move(text), {}}); }
void Doc::code(std::string lines) { blocks_.push_back({DocBlock::Kind::kCode, 0, std::move(lines), {}}); }
void Doc::table(std::vector<std::vector<std::string>> rows) {
  blocks_.push_back({DocBlock::Kind::kTable, 0, {}, std::move(rows)});
}
void Doc::list(std::vector<std::string> items) {
  DocBlock block{DocBlock::Kind::kList, 0, {}, {}};
  for (std::string& item : items) block.rows.push_back({std::move(item)});
  blocks_.push_back(std::move(block));
}

std::string render_markdown(const Doc& doc) {
  std::string out;
  for (const DocBlock& block : doc.blocks()) {
    if (!out.empty()) out += '\n';
    switch (block.kind) {
      case DocBlock::Kind::kHeading:
        out += std::string(static_cast<std::size_t>(block.level), '#') + ' ' + block.text + '\n';
        break;
      case DocBlock::Kind::kParagraph:
        out += block.text + '\n';
        break;
      case DocBlock::Kind::kCode: {
        std::string_view lines = block.text;
        while (!lines.empty()) {
          const std::size_t end = lines.find('\n');
          out += "    " + std::string(lines.substr(0, end)) + '\n';
          lines = end == std::string_view::npos ? std::string_view{} : lines.substr(end + 1);
        }
        break;
      }
      case DocBlock::Kind::kTable:
        for (std::size_t row = 0; row < block.rows.size(); ++row) {
          out += '|';
          for (const std::string& cell : block.rows[row]) out += ' ' + markdown_cell(cell) + " |";
          out += '\n';
          if (row == 0) {
            out += '|';
            for (std::size_t i = 0; i < block.rows[0].size(); ++i) out += "---|";
            out += '\n';
          }
        }
        break;
      case DocBlock::Kind::kList:
        for (const auto& item : block.rows) out += "- " + item[0] + '\n';
        break;
    }
  }
  return out;
}

std::string render_man(const Doc& doc, const ManPage& page) {
  // The first line asks man to run the page through tbl.
  std::string out = "'\\\" t\n";
  out += ".TH " + upper(page.name) + ' ' + std::to_string(page.section) + " \"\" \"" + page.source + "\" \"" +
         page.manual + "\"\n";
  out += ".SH NAME\n" + roff_inline(page.name) + " \\- " + roff_inline(page.summary) + '\n';
  out += ".SH DESCRIPTION\n";
  for (const DocBlock& block : doc.blocks()) {
    switch (block.kind) {
      case DocBlock::Kind::kHeading:
        if (block.level == 1) {
          break;
        } else if (block.level == 2) {
          out += ".SH " + roff_line(upper(block.text));
        } else {
          out += ".SS " + roff_line(block.text);
        }
        break;
      case DocBlock::Kind::kParagraph:
        out += ".PP\n" + roff_line(block.text);
        break;
      case DocBlock::Kind::kCode: {
        out += ".PP\n.RS 4\n.nf\n";
        std::string_view lines = block.text;
        while (!lines.empty()) {
          const std::size_t end = lines.find('\n');
          out += roff_code_line(lines.substr(0, end));
          lines = end == std::string_view::npos ? std::string_view{} : lines.substr(end + 1);
        }
        out += ".fi\n.RE\n";
        break;
      }
      case DocBlock::Kind::kTable: {
        const std::size_t columns = block.rows.empty() ? 0 : block.rows[0].size();
        out += ".PP\n.TS\nallbox tab(\t);\n";
        for (std::size_t i = 0; i < columns; ++i) out += i + 1 == columns ? "lbx.\n" : "lb ";
        for (std::size_t row = 0; row < block.rows.size(); ++row) {
          if (row == 1) {
            out += ".T&\n";
            for (std::size_t i = 0; i < columns; ++i) out += i + 1 == columns ? "lx.\n" : "l ";
          }
          for (std::size_t i = 0; i < block.rows[row].size(); ++i) {
            // Text blocks let a cell wrap; each starts on a line of its own.
            out += "T{\n" + roff_line(block.rows[row][i]) + "T}";
            out += i + 1 == block.rows[row].size() ? "\n" : "\t";
          }
        }
        out += ".TE\n";
        break;
      }
      case DocBlock::Kind::kList:
        for (const auto& item : block.rows) out += ".IP \\(bu 2\n" + roff_line(item[0]);
        break;
    }
  }
  return out;
}

}  // namespace tools
