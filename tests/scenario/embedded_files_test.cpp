// The five embedded texts as files: line structure, line ends, bytes and the
// lines that are fixed word for word.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scenario/document.h"
#include "tests/scenario/embedded_texts.h"

namespace scenario_tests {
namespace {

struct FileCase {
  const char* name;
  const std::string& bytes;
  std::size_t line_count;
};

std::vector<FileCase> files() {
  const WrittenTexts& t = written();
  return {{"line description", t.line, 188},
          {"train description", t.train, 87},
          {"notes", t.notes, 10},
          {"slowdown order", t.slowdown, 46},
          {"timetable sheet", t.timetable, 53}};
}

TEST(EmbeddedFiles, EveryLineEndsWithCrLfTheLastOneToo) {
  for (const FileCase& f : files()) {
    SCOPED_TRACE(f.name);
    ASSERT_GE(f.bytes.size(), 2u);
    EXPECT_EQ(f.bytes.substr(f.bytes.size() - 2), "\r\n");
    for (std::size_t i = 0; i < f.bytes.size(); ++i) {
      if (f.bytes[i] == '\r') {
        EXPECT_TRUE(i + 1 < f.bytes.size() && f.bytes[i + 1] == '\n') << "lone CR at byte " << i;
      } else if (f.bytes[i] == '\n') {
        EXPECT_TRUE(i > 0 && f.bytes[i - 1] == '\r') << "lone LF at byte " << i;
      }
    }
  }
}

TEST(EmbeddedFiles, HoldTheirLinesAndNeverTheEndMarker) {
  for (const FileCase& f : files()) {
    SCOPED_TRACE(f.name);
    const std::vector<std::string> lines = lines_of(f.bytes);
    EXPECT_EQ(lines.size(), f.line_count);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(scenario::kEndMarker)), 0);
    EXPECT_EQ(f.bytes.find("riferimento"), std::string::npos);
  }
}

TEST(EmbeddedFiles, AreWrittenFromTheirLineTables) {
  const WrittenTexts& t = written();
  EXPECT_EQ(t.line, scenario::document_bytes(scenario::line_description_lines()));
  EXPECT_EQ(t.train, scenario::document_bytes(scenario::train_description_lines()));
  EXPECT_EQ(t.notes, scenario::document_bytes(scenario::notes_lines()));
  EXPECT_EQ(t.slowdown, scenario::document_bytes(scenario::slowdown_order_lines()));
  EXPECT_EQ(t.timetable, scenario::document_bytes(scenario::timetable_sheet_lines()));
  // Each table ends with its marker, right after the document's last line.
  for (const scenario::LineTable table :
       {scenario::line_description_lines(), scenario::train_description_lines(), scenario::notes_lines(),
        scenario::slowdown_order_lines(), scenario::timetable_sheet_lines()}) {
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(table.back(), scenario::kEndMarker);
    EXPECT_LE(table.size(), scenario::kLineTableCapacity);
  }
}

TEST(EmbeddedFiles, AreAsciiButForTheOneAccentedLetterOfTheNotes) {
  for (const FileCase& f : files()) {
    SCOPED_TRACE(f.name);
    std::vector<std::size_t> high;
    for (std::size_t i = 0; i < f.bytes.size(); ++i) {
      const auto byte = static_cast<unsigned char>(f.bytes[i]);
      if (byte >= 0x80) high.push_back(i);
      if (byte != '\r' && byte != '\n') {
        EXPECT_GE(byte, 0x20) << "control byte at " << i;
        EXPECT_NE(byte, 0x7F) << "DEL at " << i;
      }
    }
    if (&f.bytes != &written().notes) {
      EXPECT_TRUE(high.empty()) << "byte above 127 at " << high.front();
      continue;
    }
    ASSERT_EQ(high.size(), 1u);
    // The letter is a single Windows-1252 byte (a grave a), on line 7.
    EXPECT_EQ(static_cast<unsigned char>(f.bytes[high[0]]), 0xE0);
    EXPECT_EQ(std::count(f.bytes.begin(), f.bytes.begin() + static_cast<std::ptrdiff_t>(high[0]), '\n'), 6);
  }
}

// Lines fixed word for word, blanks included. Descriptions are counted by
// table index from 0, documents by line number from 1.
struct FixedLine {
  const char* file;
  std::size_t where;
  std::string text;
};

const std::vector<std::string>& lines_named(const std::string& file) {
  static const std::vector<std::string> line = lines_of(written().line);
  static const std::vector<std::string> train = lines_of(written().train);
  static const std::vector<std::string> notes = lines_of(written().notes);
  static const std::vector<std::string> slowdown = lines_of(written().slowdown);
  static const std::vector<std::string> timetable = lines_of(written().timetable);
  if (file == "line") return line;
  if (file == "train") return train;
  if (file == "notes") return notes;
  if (file == "slowdown") return slowdown;
  return timetable;
}

void expect_fixed_lines(const std::vector<FixedLine>& fixed, std::size_t first_number) {
  for (const FixedLine& f : fixed) {
    const std::vector<std::string>& lines = lines_named(f.file);
    ASSERT_LT(f.where - first_number, lines.size()) << f.file << " " << f.where;
    EXPECT_EQ(lines[f.where - first_number], f.text) << f.file << " " << f.where;
  }
}

TEST(EmbeddedFiles, DescriptionsHoldTheirFixedLines) {
  expect_fixed_lines(
      {
          {"line", 0, "[generale]"},
          {"line", 1, "lunghezza percorso,    97000"},
          {"line", 2, "progressiva chilometrica uno,    0,    0,    0"},
          {"line", 3, "progressiva chilometrica due,    0,    0,    0"},
          {"line", 4, "progressiva chilometrica tre,    0,    0,    0"},
          {"line", 5, "sfondo uno,    0"},
          {"line", 6, "sfondo due,    1"},
          {"line", 7, "sfondo tre,    0"},
          {"line", 8, "ripetizione segnali 4 codici,    1050,    95500"},
          {"line", 9, "[curve]"},
          {"line", 10, "curvas2,  1000,  400"},
          {"line", 60, "curvas4,  95500,  300"},
          {"line", 61, "[pendenze]"},
          {"line", 62, "pendenza,  0,   2"},
          {"line", 129, "pendenza,  96600,   0"},
          {"line", 130, "[montagne]"},
          {"line", 131, "montagna,   18800,  18850,  2"},
          {"line", 132, "montagna,   18900,  19100,  2"},
          {"line", 158, "montagna,   86500,  86650,  12"},
          {"line", 159, "[cartelli]"},
          {"line", 160, "indicatori_vmax,  1000,  105,  115,  120,  0,  ,  ,  ,  0"},
          {"line", 182, "indicatori_vmax,  94300,  60,  65,  70,  0,  ,  ,  ,  0"},
          {"line", 183, "[indicazioni]"},
          {"line", 187, "[fine]"},
          {"train", 0, "[generale]"},
          {"train", 1, "numero vetture,    16"},
          {"train", 2, "percentuale massa frenata,    125"},
          {"train", 3, "sabbia,    300"},
          {"train", 4, "orologio,    6               42            40 "},
          {"train", 5, "[aderenze]"},
          {"train", 6, "aderenza,   0,    100"},
          {"train", 7, "[vel_limite]"},
          {"train", 8, "velocita,   0,    30"},
          {"train", 9, "velocita,     900,   115"},
          {"train", 10, "velocita,    3300,   150"},
          {"train", 11, "velocita,    6650,   160"},
          {"train", 12, "velocita,   16300,   115"},
          {"train", 13, "velocita,   37200,   160"},
          {"train", 14, "velocita,   55750,   120"},
          {"train", 15, "velocita,   56850,   160"},
          {"train", 16, "velocita,   61400,   135"},
          {"train", 17, "velocita,   72550,   160"},
          {"train", 18, "velocita,   80250,   135"},
          {"train", 19, "velocita,   95500,    65"},
          {"train", 20, "velocita,   96000,    30"},
          {"train", 21, "[stazioni]"},
          {"train", 38, "[rallentamenti]"},
          {"train", 39, "[segnali]"},
          {"train", 40, "segnale,    1050,   2, 4, 1,  0, 0,    0,  0,0,0, 0"},
          {"train", 85, "[codici]"},
          {"train", 86, "[fine]"},
      },
      0);
}

const std::string kTimetableRule =
    " |_____|_____|__________|_____|____________________________|________________|_____|";
const std::string kSlowdownRule =
    " |___|____________________________|____________|__________|_________|____________|";

TEST(EmbeddedFiles, DocumentsHoldTheirFixedLines) {
  std::vector<FixedLine> fixed = {
      {"timetable", 1, ""},
      {"timetable", 2, ""},
      {"timetable", 3, "  ___________________                                               ______________"},
      {"timetable", 4, " |                   |                    SCHEDA   TRENO           |              |"},
      {"timetable", 7, "                                                                   |______________|"},
      {"timetable", 8, "  ___________________                ___________________"},
      {"timetable", 9, " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       "},
      {"timetable", 10, " |     ESPRESSO      |              |      800 T        |"},
      {"timetable", 11, " |___________________|              |___________________|"},
      {"timetable", 12, ""},
      {"timetable", 13, "  " + std::string(80, '_')},
      {"timetable", 14, " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |"},
      {"timetable", 15, " | Lim.|Marc.|          |  Rs |                            |                |     |"},
      {"timetable", 16, kTimetableRule},
      {"timetable", 53, kTimetableRule},
      {"slowdown", 1, ""},
      {"slowdown", 2, std::string(31, ' ') + "Modulo M. 3"},
      {"slowdown", 3, std::string(27, ' ') + "ORDINE DI RALLENTAMENTO"},
      {"slowdown", 4, " " + std::string(80, '_')},
      {"slowdown", 6, ""},
      {"slowdown", 7, "  Si ordina al macchinista del treno 2734.2 di effettura i seguenti rallentamenti"},
      {"slowdown", 8, "  " + std::string(79, '_')},
      {"slowdown", 9, " |   |                            |Inizio dopo |          |         |            |"},
      {"slowdown", 10, " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|"},
      {"slowdown", 11, " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |"},
      {"slowdown", 12, kSlowdownRule},
      {"slowdown", 13, " |   |  nessuna prescrizione      |            |          |         |            |"},
      {"slowdown", 39, kSlowdownRule},
      {"slowdown", 40, ""},
      {"slowdown", 41, std::string(14, ' ') + "Prescrizioni specifiche"},
      {"slowdown", 42, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {"slowdown", 43, " B - Interessa anche la stazione di......."},
      {"slowdown", 44, " D - Rallentamneto N. ... e N. ...  sono contigui"},
      {"slowdown", 45, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
      {"slowdown", 46, "     i giorni esclusi i seguenti:........."},
      {"notes", 3, ""},
      {"notes", 6, " "},
      {"notes", 8, "   "},
      {"notes", 9, ""},
  };
  for (std::size_t n = 14; n <= 38; ++n) {
    fixed.push_back({"slowdown", n, " |   |                            |            |          |         |            |"});
  }
  expect_fixed_lines(fixed, 1);
}

TEST(EmbeddedFiles, TellingRecordsStandSomewhereInTheirSection) {
  const struct {
    std::size_t first, last;  // table indexes of the section's records
    const char* text;
  } quoted[] = {
      {10, 60, "curvad1,  6500,  2000"},
      {10, 60, "curvad3,  18500,  200"},
      {62, 129, "pendenza,  18000,   12"},
      {62, 129, "pendenza,  51400,   -1"},
      {62, 129, "pendenza,  62500,   -12"},
      {131, 158, "montagna,   37250,  55750,  11"},
      {131, 158, "montagna,   72600,  79700,  12"},
      {160, 182, "indicatori_vmax,  54150,  110,  120,  125,  2,  110,  120,  125,  2"},
      {160, 182, "indicatori_vmax,  60100,  125,  135,  140,  0,  125,  130,  140,  0"},
  };
  const std::vector<std::string>& lines = lines_named("line");
  ASSERT_EQ(lines.size(), 188u);
  for (const auto& q : quoted) {
    const auto begin = lines.begin() + static_cast<std::ptrdiff_t>(q.first);
    const auto end = lines.begin() + static_cast<std::ptrdiff_t>(q.last) + 1;
    EXPECT_EQ(std::count(begin, end, std::string(q.text)), 1) << q.text;
  }
}

TEST(EmbeddedFiles, TableLinesKeepTheirWidths) {
  const std::vector<std::string>& timetable = lines_named("timetable");
  ASSERT_EQ(timetable.size(), 53u);
  for (std::size_t n = 14; n <= 53; ++n) EXPECT_EQ(timetable[n - 1].size(), 83u) << "timetable line " << n;
  for (std::size_t n : {3, 4, 5, 6, 7}) EXPECT_EQ(timetable[n - 1].size(), n == 3 ? 82u : 83u) << n;
  EXPECT_EQ(timetable[12].size(), 82u);

  const std::vector<std::string>& slowdown = lines_named("slowdown");
  ASSERT_EQ(slowdown.size(), 46u);
  for (std::size_t n = 9; n <= 39; ++n) EXPECT_EQ(slowdown[n - 1].size(), 82u) << "slowdown line " << n;
  // Two rules of the same length that differ in their blanks.
  EXPECT_EQ(slowdown[3].size(), 81u);
  EXPECT_EQ(slowdown[7].size(), 81u);
  EXPECT_NE(slowdown[3], slowdown[7]);
}

}  // namespace
}  // namespace scenario_tests
