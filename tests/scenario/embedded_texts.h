#pragma once
// The five embedded texts as their writers put them on disk, read back as
// bytes, and the small readers that the scenario tests share.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "naming/file_names.h"
#include "reading/field_reader.h"
#include "scenario/documents.h"
#include "scenario/embedded_scenario.h"
#include "scenario/line_description.h"
#include "scenario/train_description.h"
#include "support/temp_dir.h"

namespace scenario_tests {

// The bytes of the five files, each written by its own writer into a fresh
// folder under the program's identifiers.
struct WrittenTexts {
  std::string line;
  std::string train;
  std::string notes;
  std::string slowdown;
  std::string timetable;
};

inline WrittenTexts write_embedded_texts() {
  const testing_support::TempDir dir;
  const std::string scenario_id = scenario::kScenarioId;
  const std::string train_id = scenario::kTrainId;
  scenario::dati_linea(dir.path(), scenario_id);
  scenario::dati_treno(dir.path(), scenario_id, train_id);
  scenario::dati_note(dir.path(), scenario_id, train_id);
  scenario::dati_rallentamenti(dir.path(), scenario_id, train_id);
  scenario::dati_scheda(dir.path(), scenario_id, train_id);
  return {dir.read(naming::line_description_name(scenario_id)),
          dir.read(naming::train_description_name(scenario_id, train_id)),
          dir.read(naming::notes_name(scenario_id, train_id)),
          dir.read(naming::slowdown_order_name(scenario_id, train_id)),
          dir.read(naming::timetable_sheet_name(scenario_id, train_id))};
}

// Written once per test program; the writers are deterministic.
inline const WrittenTexts& written() {
  static const WrittenTexts texts = write_embedded_texts();
  return texts;
}

// The lines of a file cut at every CR LF; the piece after the last CR LF
// (empty in a well-formed file) is dropped. The CR LF test checks that no
// lone CR or LF is hidden inside a line.
inline std::vector<std::string> lines_of(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string_view::npos; start = end + 2) {
    lines.emplace_back(bytes.substr(start, end - start));
  }
  return lines;
}

// One line of a description file read back the way the parsers read it: the
// keyword field, then the numbers its kind carries, then a closing text field
// where the kind has one (station name, board inscription). Section headers
// carry nothing.
struct Record {
  std::size_t index = 0;  // table index of the line
  std::string keyword;
  std::vector<std::int64_t> numbers;
  std::string text;
  bool fully_read = false;  // nothing was left on the line
};

struct RecordShape {
  std::string_view keyword_start;
  int numbers;
  bool closing_text;
};

// The record kinds of both description files, by how their keyword begins.
inline constexpr RecordShape kRecordShapes[] = {
    {"lunghezza percorso", 1, false},
    {"progressiva chilometrica", 3, false},
    {"sfondo", 1, false},
    {"ripetizione segnali", 2, false},
    {"curva", 2, false},
    {"pendenza", 2, false},
    {"montagna", 3, false},
    {"indicatori_vmax", 9, false},
    {"cartello_indicatore", 1, true},
    {"numero vetture", 1, false},
    {"percentuale massa frenata", 1, false},
    {"sabbia", 1, false},
    {"orologio", 3, false},
    {"aderenza", 2, false},
    {"velocita", 2, false},
    {"stazione", 16, true},
    {"segnale", 11, false},
};

inline Record read_record(std::size_t index, const std::string& line) {
  Record record;
  record.index = index;
  compiler::FieldReader reader(line);
  record.keyword = reader.read_text();
  for (const RecordShape& shape : kRecordShapes) {
    if (!record.keyword.starts_with(shape.keyword_start)) continue;
    for (int i = 0; i < shape.numbers; ++i) record.numbers.push_back(reader.read_int32());
    if (shape.closing_text) record.text = reader.read_text();
    break;
  }
  record.fully_read = reader.at_end();
  return record;
}

inline std::vector<Record> read_records(const std::vector<std::string>& lines) {
  std::vector<Record> records;
  for (std::size_t i = 0; i < lines.size(); ++i) records.push_back(read_record(i, lines[i]));
  return records;
}

// The records whose keyword begins with keyword_start, in file order.
inline std::vector<Record> records_of(const std::vector<Record>& records, std::string_view keyword_start) {
  std::vector<Record> found;
  for (const Record& r : records) {
    if (r.keyword.starts_with(keyword_start)) found.push_back(r);
  }
  return found;
}

// "Upper-case words": capital letters with blanks, dots and dashes, starting
// with a letter and without blanks at either end.
inline bool is_capital_name(std::string_view name) {
  if (name.empty() || name.front() < 'A' || name.front() > 'Z' || name.back() == ' ') return false;
  for (char c : name) {
    if (!((c >= 'A' && c <= 'Z') || c == ' ' || c == '.' || c == '-')) return false;
  }
  return true;
}

inline bool is_lower_name(std::string_view name) {
  if (name.empty() || name.front() < 'a' || name.front() > 'z' || name.back() == ' ') return false;
  for (char c : name) {
    if (!((c >= 'a' && c <= 'z') || c == ' ' || c == '.' || c == '-')) return false;
  }
  return true;
}

}  // namespace scenario_tests
