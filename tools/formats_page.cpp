#include "tools/formats_page.h"

#include <cctype>
#include <string>

#include "reading/error_kinds.h"
#include "reading/records.h"

namespace tools {
namespace {

using compiler::Description;
using compiler::RecordSpec;

std::string quoted(std::string_view text) { return "`" + std::string(text) + "`"; }

// "holds `percorso` and `lunghezza`, letter case ignored"
std::string matching_rule(const RecordSpec& spec) {
  std::string words;
  for (const std::string_view word : spec.words) {
    if (word.empty()) continue;
    if (!words.empty()) words += " and ";
    words += quoted(word);
  }
  return "The keyword field holds " + words +
         (spec.cased ? ", letter case compared exactly." : ", letter case ignored.");
}

std::string kind_number(compiler::ErrorKind kind) { return std::to_string(compiler::number(kind)); }

std::string error_list(const RecordSpec& spec) {
  std::string list;
  for (const compiler::ErrorKind kind : spec.error_kinds) {
    if (!list.empty()) list += "; ";
    list += std::to_string(compiler::number(kind)) + " (" + std::string(compiler::error_meaning(kind)) + ")";
  }
  return list;
}

void record_section(Doc& doc, const RecordSpec& spec) {
  doc.heading(3, quoted(spec.keyword) + ": " + std::string(spec.title));
  doc.paragraph(std::string(spec.summary));
  doc.paragraph("Section " + quoted(spec.section) + ". " + matching_rule(spec));
  std::vector<std::vector<std::string>> rows = {{"Field", "Unit", "Range", "Meaning"}};
  for (const compiler::FieldSpec& field : spec.fields) {
    rows.push_back({quoted(field.name), std::string(field.unit), std::string(field.range), std::string(field.meaning)});
  }
  doc.table(std::move(rows));
  doc.paragraph("Example:");
  doc.code(std::string(spec.example) + "\n");
  std::string effect(spec.effect);
  if (!effect.empty()) effect[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(effect[0])));
  doc.paragraph("What the compiler does: " + effect);
  doc.paragraph("Errors: " + error_list(spec) + ".");
}

void description_part(Doc& doc, Description description) {
  const bool line = description == Description::kLine;
  doc.heading(2, line ? "The line description, S_linea.txt" : "The train description, S_T-.txt");
  doc.paragraph(line ? "The line itself: its length and general values, the curves of the track plan, the gradient "
                       "profile, the stretches in tunnel, the maximum-speed boards and the indication boards. The "
                       "compiler reads it first."
                     : "The train and its run over the line: the train's general values, the adhesion and "
                       "speed-limit profiles, the stations with their stopping data and times, the slowdowns and "
                       "lowering records, and the signals. The compiler reads it after the line description, into "
                       "the same route.");
  std::vector<std::vector<std::string>> rows = {{"Section", "Records"}};
  for (const std::string_view header : compiler::section_headers(description)) {
    std::string records;
    for (const RecordSpec& spec : compiler::record_specs()) {
      if (compiler::description_of(spec.group) != description || spec.section != header) continue;
      if (!records.empty()) records += ", ";
      records += quoted(spec.keyword);
    }
    rows.push_back({quoted(header), records.empty() ? "none" : records});
  }
  doc.paragraph("Sections, in the order a new file should use them:");
  doc.table(std::move(rows));
  for (const RecordSpec& spec : compiler::record_specs()) {
    if (compiler::description_of(spec.group) == description) record_section(doc, spec);
  }
}

void reading_rules(Doc& doc) {
  doc.heading(2, "Reading rules");
  doc.paragraph(
      "Both files are plain text, one byte per character in the Windows-1252 code page, one record per line. "
      "Lines end with a carriage return and a line feed, the last line too; the compiler also accepts a line feed "
      "or a carriage return alone.");
  doc.paragraph(
      "A record is a keyword followed by its values, separated by commas. The compiler does not read lines but "
      "fields, one after the other:");
  doc.list({
      "A text field skips leading blanks and line ends and runs to the next comma or line end, which ends it. "
      "Blanks inside a text and at its end belong to it, so a text holds no comma. A text that starts with a "
      "double quote runs to the closing quote (the quotes are dropped, and what follows up to the next comma or "
      "line end is dropped too), so a quoted text may hold commas.",
      "A number is a whole number: an optional sign and decimal digits, no decimal point. It ends at a blank, a "
      "comma or a line end, so numbers may also be separated by blanks alone (the clock of `orologio` is). Blanks "
      "before a number carry no meaning. An empty field, only blanks between two commas, reads as 0.",
      "A number that does not fit its field (32-bit, 16-bit or byte, as each field's range says), text where a "
      "number belongs, or a file that ends in the middle of a record is a reading failure: error " +
          kind_number(compiler::ErrorKind::kReadingFailure) + ".",
      "A line without a comma is one text field: section headers such as `[curve]` and the closing `[fine]`.",
  });
  doc.paragraph(
      "Keywords. The first field of a record is its keyword field. A record is recognised when its keyword field "
      "holds the record's keyword words (each record below says which, and whether letter case counts), anywhere "
      "in the field: `VELOCITA` and `velocita massima` are both speed-limit records. The tests do not exclude "
      "each other: a keyword field that holds the words of two records is read as both, one after the other. A "
      "field that matches no keyword is passed over alone and the next field is taken as a keyword field, so a "
      "misspelt keyword lets its whole record pass unnoticed; `scenario_tool check` warns about such fields.");
  doc.paragraph(
      "Hyphens. A keyword field that holds a hyphen is discarded and the next field read in its place, up to two "
      "in a row (ten in the general section of the line description), so a ruler line of dashes may stand "
      "between records. No keyword holds a hyphen; a negative number is never taken for a keyword field.");
  doc.paragraph(
      "Sections. Reading starts after the first field that holds `[generale]`; everything before it is ignored "
      "and may hold notes. Section headers are for the reader: they hold none of the keywords and are passed "
      "over, and a record is recognised under any header, with one exception. The general records of the line "
      "description (length, chainage, backgrounds, cab-signal repetition) are recognised only in its general "
      "section, which ends at the next field holding both `[` and `]`; the other line records only after it.");
  doc.paragraph(
      "The end. The last field of a file is never handled. End both files with the line `[fine]`, which takes "
      "that place.");
  doc.paragraph(
      "Positions and cells. Positions are whole metres from the start of the line. The compiler divides the line "
      "into route cells of 50 m: the route runs from cell 0 to the last cell, (line length + 7000)/50. A position "
      "p lies in the cell p/50, rounded to the nearest whole number with exact halves going to the even "
      "neighbour (1025 m lies in cell 20, 1075 m in cell 22). Each record kind puts its object at its own offset "
      "from that cell, given with the record below. A cell holds one object: a record whose cell is already "
      "taken is refused with its own error. A positioned record must leave room before the last cell (100 m, "
      "800 m for a station), or the reading stops with error " +
      kind_number(compiler::ErrorKind::kBeyondRoute) + ".");
  doc.paragraph(
      "Order. Records are stored in file order, and a later record meets the cells the earlier ones took; the line "
      "description is compiled before the train description, so the line's boards are in place before any "
      "signal. The records of one profile (gradient, speed limit, adhesion) give the value from their own "
      "position up to the next record of the same kind: they come in increasing position, and each profile "
      "starts with a record at position 0. Stations come in increasing position too.");
  doc.paragraph(
      "Errors. The compiler stops reading at the first error it meets and records its kind; most kinds still "
      "leave the output files written from what was read. `scenario_tool check` reports every problem it can "
      "find with its file, line and column, and `scenario_tool explain KIND` explains each kind with a wrong and "
      "a corrected example.");
}

void error_kinds(Doc& doc) {
  doc.heading(2, "Error kinds");
  doc.paragraph(
      "The kinds the compiler records, and the two stamping errors that stop a compile before any file is written. "
      "`scenario_tool explain KIND` explains each one with a wrong and a corrected example. Kinds 14 and 23 do "
      "not exist.");
  std::vector<std::vector<std::string>> rows = {{"Kind", "Meaning"}};
  for (const compiler::ErrorKindRow& row : compiler::error_kinds()) {
    rows.push_back({std::to_string(compiler::number(row.kind)), std::string(row.meaning)});
  }
  doc.table(std::move(rows));
}

void warning_rules(Doc& doc) {
  doc.heading(2, "Warnings");
  doc.paragraph(
      "Where the compile reads a file differently from what its author evidently meant, `scenario_tool check` "
      "and `compile` warn, naming the rule at the end of the line (`[value-wraps]`); a warning never changes the "
      "compiled files. `scenario_tool explain RULE` explains each rule with a wrong and a corrected example, "
      "`--no-warn RULE` (`-W RULE`) turns one off in `check` and `compile`, and `check --warnings-as-errors` makes "
      "warnings fail the check.");
  std::vector<std::vector<std::string>> rows = {{"Rule", "Meaning"}};
  for (const compiler::WarningRuleRow& row : compiler::warning_rules()) {
    rows.push_back({"`" + std::string(row.name) + "`", std::string(row.meaning)});
  }
  doc.table(std::move(rows));
}

}  // namespace

Doc formats_reference() {
  Doc doc;
  doc.heading(1, "The description files of a scenario");
  doc.paragraph(
      "A scenario is one railway line and one train run over it, written as two text files: the line "
      "description `S_linea.txt` and the train description `S_T-.txt`, where S is the scenario identifier and T "
      "the train identifier. `scenario_tool compile` reads the pair into the simulator's three binary files. This "
      "reference lists every record of both files, with its fields, units and ranges, an example, and what the "
      "compiler does with it; it is made from the compiler's own record table.");
  doc.paragraph("To start a new scenario:");
  doc.code(
      "scenario_tool new Valle -o valle            # valle/Valle_linea.txt and valle/Valle_1-.txt\n"
      "scenario_tool check valle/Valle_linea.txt valle/Valle_1-.txt\n"
      "scenario_tool compile valle/Valle_linea.txt valle/Valle_1-.txt -o valle\n"
      "scenario_tool explain 16                    # what an error kind means\n");
  reading_rules(doc);
  description_part(doc, Description::kLine);
  description_part(doc, Description::kTrain);
  error_kinds(doc);
  warning_rules(doc);
  return doc;
}

}  // namespace tools
