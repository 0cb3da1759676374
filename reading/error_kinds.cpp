#include "reading/error_kinds.h"

#include <algorithm>
#include <vector>

#include "reading/error_rows.h"

namespace compiler {
namespace {


constexpr std::string_view kRepeatLine = "{repeat}";

std::string repeated_line(const RepeatedRecord& record, int index) {
  return std::string(record.before_position) + std::to_string(record.first_position + index * record.step) +
         std::string(record.after_position);
}

// Calls each(line) for every line of text ("\n" separated, the last one
// ended too), expanding the repetition; with shown, only its first two and
// last records, and a line that says how many there are.
template <typename Each>
void for_each_line(std::string_view text, const std::optional<RepeatedRecord>& repeated, bool wrong, bool shown,
                   Each each) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line != kRepeatLine || !repeated) {
      each(line);
      continue;
    }
    const int count = wrong ? repeated->wrong_count : repeated->corrected_count;
    for (int i = 0; i < count; ++i) {
      if (shown && i == 2 && count > 3) {
        each("... (" + std::to_string(count) + " of these records in all, one every " +
             std::to_string(repeated->step) + " m)");
        i = count - 1;
      }
      each(repeated_line(*repeated, i));
    }
  }
}

std::string compiled_text(std::string_view text, const std::optional<RepeatedRecord>& repeated, bool wrong) {
  std::string out;
  for_each_line(text, repeated, wrong, false, [&out](std::string_view line) {
    out += line;
    out += "\r\n";
  });
  return out;
}

std::string shown_text(std::string_view text, const std::optional<RepeatedRecord>& repeated, bool wrong) {
  std::string out;
  for_each_line(text, repeated, wrong, true, [&out](std::string_view line) {
    out += "    ";
    out += line;
    out += '\n';
  });
  return out;
}

// Wraps one paragraph at blanks to lines of at most width characters.
std::string wrapped(std::string_view paragraph, std::size_t width) {
  std::string out;
  std::size_t line_length = 0;
  while (!paragraph.empty()) {
    const std::size_t blank = paragraph.find(' ');
    const std::string_view word = paragraph.substr(0, blank);
    paragraph = blank == std::string_view::npos ? std::string_view{} : paragraph.substr(blank + 1);
    if (word.empty()) continue;
    if (line_length > 0 && line_length + 1 + word.size() > width) {
      out += '\n';
      line_length = 0;
    } else if (line_length > 0) {
      out += ' ';
      ++line_length;
    }
    out += word;
    line_length += word.size();
  }
  return out;
}

const char* file_label(ExampleFile file) {
  return file == ExampleFile::kLine ? "line description, S_linea.txt" : "train description, S_T-.txt";
}

// The rows of every file, in increasing number: built once.
const std::vector<ErrorKindRow>& all_rows() {
  static const std::vector<ErrorKindRow> rows = [] {
    std::vector<ErrorKindRow> merged;
    for (const auto rows_of : {line_error_rows, train_error_rows, route_error_rows, stamping_error_rows}) {
      const std::span<const ErrorKindRow> part = rows_of();
      merged.insert(merged.end(), part.begin(), part.end());
    }
    std::sort(merged.begin(), merged.end(),
              [](const ErrorKindRow& a, const ErrorKindRow& b) { return number(a.kind) < number(b.kind); });
    return merged;
  }();
  return rows;
}

}  // namespace

std::span<const ErrorKindRow> error_kinds() { return all_rows(); }

const ErrorKindRow* find_error_kind(ErrorKind kind) {
  for (const ErrorKindRow& row : all_rows()) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}

std::optional<ErrorKind> error_kind_of(std::int32_t value) {
  for (const ErrorKindRow& row : all_rows()) {
    if (number(row.kind) == value) return row.kind;
  }
  return std::nullopt;
}

bool error_has_position(ErrorKind kind) {
  const ErrorKindRow* row = find_error_kind(kind);
  return row && row->has_position;
}

bool is_route_error(ErrorKind kind) {
  const ErrorKindRow* row = find_error_kind(kind);
  return row && row->file == BlamedFile::kRoute;
}

bool is_stamping_error(ErrorKind kind) {
  const ErrorKindRow* row = find_error_kind(kind);
  return row && row->file == BlamedFile::kStamping;
}

std::string_view error_meaning(ErrorKind kind) {
  const ErrorKindRow* row = find_error_kind(kind);
  return row ? row->meaning : std::string_view{};
}

std::string_view example_base_line() { return kBaseLine; }
std::string_view example_base_train() { return kBaseTrain; }

ExampleTexts example_texts(const ErrorKindRow& row, bool wrong) { return example_texts(row.example, wrong); }

ExampleTexts example_texts(const ErrorExample& example, bool wrong) {
  const std::string_view own = wrong ? example.wrong : example.corrected;
  const bool line_own = example.file == ExampleFile::kLine;
  const std::string_view other = !example.other.empty() ? example.other : line_own ? kBaseTrain : kBaseLine;
  ExampleTexts texts;
  const std::string own_text = compiled_text(own, example.repeated, wrong);
  const std::string other_text = compiled_text(other, std::nullopt, wrong);
  if (line_own) {
    if (!(wrong && example.wrong_file_missing)) texts.line = own_text;
    texts.train = other_text;
  } else {
    texts.line = other_text;
    texts.train = own_text;
  }
  return texts;
}

namespace {

// An explanation under its heading line: the paragraphs wrapped, then the
// wrong and the corrected example.
std::string explained(std::string heading, std::string_view text, const ErrorExample& example) {
  constexpr std::size_t kWidth = 76;
  std::string out = std::move(heading) + "\n";
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    out += '\n' + wrapped(text.substr(0, end), kWidth) + '\n';
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  out += std::string("\nWrong (") + file_label(example.file) + "):\n\n";
  if (example.wrong_file_missing) {
    out += "    (no such file)\n";
  } else {
    out += shown_text(example.wrong, example.repeated, true);
  }
  out += "\nCorrected:\n\n" + shown_text(example.corrected, example.repeated, false);
  if (!example.other.empty()) {
    out += std::string("\nwith this ") +
           (example.file == ExampleFile::kLine ? "train description" : "line description") + ":\n\n" +
           shown_text(example.other, std::nullopt, false);
  }
  return out;
}

}  // namespace

std::string format_explanation(const ErrorKindRow& row) {
  return explained("error " + std::to_string(number(row.kind)) + ": " + std::string(row.meaning), row.text,
                   row.example);
}

std::span<const WarningRuleRow> warning_rules() { return warning_rule_rows(); }

const WarningRuleRow* find_warning_rule(WarningRule rule) {
  for (const WarningRuleRow& row : warning_rule_rows()) {
    if (row.rule == rule) return &row;
  }
  return nullptr;
}

std::optional<WarningRule> warning_rule_named(std::string_view name) {
  for (const WarningRuleRow& row : warning_rule_rows()) {
    if (row.name == name) return row.rule;
  }
  return std::nullopt;
}

std::string_view rule_name(WarningRule rule) {
  const WarningRuleRow* row = find_warning_rule(rule);
  return row ? row->name : std::string_view{};
}

std::string format_explanation(const WarningRuleRow& row) {
  return explained("warning " + std::string(row.name) + ": " + std::string(row.meaning), row.text, row.example);
}

}  // namespace compiler
