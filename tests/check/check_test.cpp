// The check: every seeded authoring mistake reported at its file, line and
// column with its kind, alone and all together; the warnings for what the
// compile passes over; the terminal rendering of a diagnostic.

#include "compiler/check.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "reading/diagnostics.h"

namespace {

using compiler::Diagnostic;
using compiler::Severity;

// A pair of descriptions that checks clean. Lines marked "slot" are empty;
// a mistake takes one slot's place,
// so every other line keeps its number whether the mistakes come alone or
// together.
const std::vector<std::string> kLineLines = {
    "[generale]",
    "lunghezza percorso,    20000",
    "progressiva chilometrica uno,    0,    0,    0",
    "sfondo uno,    0",
    "ripetizione segnali 4 codici,    1050,    15000",
    "[curve]",
    "curvas2,  1000,  400",
    "",  // slot 8
    "pendenza,  0,   2",
    "",  // slot 10
    "pendenza,  4000,   0",
    "",  // slot 12
    "[montagne]",
    "montagna,   8000,  8400,  2",
    "",  // slot 15
    "[cartelli]",
    "indicatori_vmax,  5000,  100,  110,  120,  0,  ,  ,  ,  0",
    "",  // slot 18
    "[indicazioni]",
    "",  // slot 20
    "cartello_indicatore,  14000,   (GALLERIA MONTE)",
    "",  // slot 22
    "",  // slot 23
    "",  // slot 24
    "",  // slot 25
    "",  // slot 26
    "[fine]",
    "",  // slot 28
};

const std::vector<std::string> kTrainLines = {
    "[generale]",
    "numero vetture,    8",
    "percentuale massa frenata,    120",
    "sabbia,    300",
    "",  // slot 5
    "orologio,    6  0  0",
    "[aderenze]",
    "aderenza,   0,    100",
    "",  // slot 9
    "[vel_limite]",
    "velocita,   0,    80",
    "",  // slot 12
    "[stazioni]",
    "stazione,    1000,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   6, 0, 0, PRIMA",
    "",  // slot 15
    "stazione,   16000,  12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   7, 0, 0, SECONDA",
    "",  // slot 17
    "[segnali]",
    "segnale,    6050,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "",  // slot 20
    "",
    "",  // slot 22
    "[rallentamenti]",
    "",  // slot 24
    "",  // slot 25
    "",  // slot 26
    "",  // slot 27
    "",  // slot 28
    "",  // slot 29
    "",  // slot 30
    "[codici]",
    "[fine]",
};

// One seeded mistake: the record put in a slot, and the diagnostic it must
// give (with the line of the note at the record holding a taken cell).
struct Mistake {
  bool in_line_file;
  int slot;
  std::string record;
  Severity severity;
  int kind;
  int column;
  std::string message;
  int note_line = 0;
  std::string rule = {};  // the rule of a warning
};

const std::vector<Mistake>& mistakes() {
  static const std::vector<Mistake> table = {
      {true, 8, "pendenze,  3000,   2", Severity::kWarning, 0, 1,
       "unknown keyword 'pendenze': the line description has no such record and the compile passes over it; "
       "did you mean 'pendenza'?", 0, "unknown-keyword"},
      {true, 10, "pendenza,  30000,   1", Severity::kError, 15, 12,
       "position 30000 lies beyond the end of the route (26900 m at most)"},
      {true, 12, "pendenza,  22000,   0", Severity::kWarning, 0, 12,
       "position 22000 lies beyond the line's length of 20000 m (inside the route, which runs 7000 m further)", 0,
       "beyond-line-length"},
      {true, 15, "montagna,   9000,  9x00,  2", Severity::kError, 25, 20, "end '9x00' is not a whole number"},
      {true, 18, "indicatori_vmax,  5000,  90,  100,  110,  0,  ,  ,  ,  0", Severity::kError, 21, 19,
       "the cell of these maximum-speed boards at 5000 m (cell 101) is already taken", 17},
      {true, 20, "[pendenz]", Severity::kWarning, 0, 1,
       "unknown section header '[pendenz]': the line description has no such section and the compile passes over "
       "it; did you mean '[pendenze]'?", 0, "unknown-section"},
      {true, 22, "curvas,  12000,  200", Severity::kError, 103, 1,
       "the curve keyword 'curvas' has no radius digit 1 to 6"},
      {true, 23, "cartello_indicatore,  16000,   (GALLERIA CITT\xc3\x80)", Severity::kWarning, 0, 46,
       "this line holds UTF-8 text, but description files are Windows-1252: its letters beyond ASCII will show "
       "garbled", 0, "utf8-text"},
      {true, 24, "; cartello_indicatore,  15000,   (VECCHIO)", Severity::kWarning, 0, 1,
       "this line starts with ';' as a comment would, but description files have no comments: the compile reads "
       "it as a 'cartello_indicatore' record", 0, "comment-like-record"},
      {true, 25, "[curve]", Severity::kWarning, 0, 1,
       "a second [curve] section: the compile reads its records where they stand, as if the two were one; keep "
       "the section once", 6, "duplicate-section"},
      {true, 26, "montagna,   10000,  10400,  2, 5", Severity::kWarning, 0, 32,
       "a field more than the record's 3: the rest of the line ('5') is read as the start of another record, not "
       "as part of this one", 0, "extra-field"},
      {true, 28, "montagna,   9000,  9400,  2", Severity::kWarning, 0, 1,
       "a record after the end marker [fine]: the file should end there", 0, "after-end-marker"},
      {false, 5, "segnael,    3050,   2, 4, 1,  0, 0,    0,  0,0,0, 0", Severity::kWarning, 0, 1,
       "unknown keyword 'segnael': the train description has no such record and the compile passes over it; "
       "did you mean 'segnale'?", 0, "unknown-keyword"},
      {false, 9, "sabbia,   40000", Severity::kError, 25, 11, "sand 40000 is above 32767"},
      {false, 12, "stazione,   10020,  12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, TERZA", Severity::kError,
       8, 13, "station position 10020 is not a multiple of 50"},
      {false, 15, "velocita,   9000,  2000", Severity::kError, 25, 20, "speed 2000 is above 1277"},
      {false, 17, "stazione,   16300,  12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   7, 0, 0, QUARTA",
       Severity::kError, 22, 13,
       "the station's stretch starts at 16100 m, less than 350 m after the previous station's ends at 16200 m"},
      {false, 20, "segnale,    6060,   2, 4, 1,  0, 0,    0,  0,0,0, 0", Severity::kError, 16, 13,
       "the cell of this signal at 6060 m (cell 122) is already taken", 19},
      {false, 22, "rallentamento,  6050,  60,  300,  0,  0,  0", Severity::kError, 18, 17,
       "the start cell of this slowdown at 6050 m (cell 122) is already taken", 19},
      {false, 24, "abbattimento,  6100,  90", Severity::kError, 7, 16,
       "the cell of this lowering record at 6100 m (cell 122) is already taken", 19},
      {false, 25, "aderenza,   10000,   300", Severity::kWarning, 0, 22,
       "adhesion 300 lies outside 0 to 255: it does not fit its byte and is stored as 44", 0, "value-wraps"},
      {false, 26, "orologio,    6  75  0", Severity::kWarning, 0, 17,
       "minutes 75 lies outside 0 to 59; the compile takes it unchecked", 0, "out-of-range"},
      {false, 27, "rallentamento,  9000,  600,  300,  0,  0,  0", Severity::kWarning, 0, 24,
       "speed 600 km/h is not below the line's limit of 80 km/h where the slowdown starts: it slows nothing", 0,
       "out-of-range"},
      {false, 28, "rallentamento,  11000,  62,  300,  0,  0,  0", Severity::kWarning, 0, 25,
       "speed 62 is not a multiple of 5: the compile stores it as it stands", 0, "not-a-multiple"},
      {false, 29, "stazione,   18000,  12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   7, 1, 0, TERZA",
       Severity::kWarning, 0, 65,
       "the timetable gives 1:00 from 'SECONDA' (07:00:00), 2000 m before this station; at the line's speed "
       "limits the run takes at least 1:30", 0, "schedule-too-tight"},
      {false, 30, "velocita,   19000,    10 0", Severity::kWarning, 0, 23,
       "'10 0' holds a blank, which ends a number: the compile reads it as two fields, so the 2 fields of the "
       "record end early and the rest of the line ('0') is read as the start of another record, not as part of "
       "this one", 0, "extra-field"},
  };
  return table;
}

std::string joined(std::vector<std::string> lines, const std::vector<const Mistake*>& seeded, bool line_file) {
  for (const Mistake* mistake : seeded) {
    if (mistake->in_line_file == line_file) lines[static_cast<std::size_t>(mistake->slot - 1)] = mistake->record;
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

compiler::CheckResult check_with(const std::vector<const Mistake*>& seeded) {
  compiler::DescriptionSources sources;
  sources.line = compiler::in_memory("S_linea.txt", joined(kLineLines, seeded, true));
  sources.train = compiler::in_memory("S_T-.txt", joined(kTrainLines, seeded, false));
  return compiler::check_descriptions(sources);
}

// What a diagnostic says, in one line that a failing test shows whole.
std::string summary(const Diagnostic& d) {
  std::string text = d.file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) + ": " +
                     std::string(compiler::severity_name(d.severity)) + " " + std::to_string(compiler::number(d.kind)) + ": " +
                     d.message;
  if (d.rule != compiler::WarningRule::kNone) text += " {" + std::string(compiler::rule_name(d.rule)) + "}";
  for (const Diagnostic& note : d.notes) text += " [note " + summary(note) + "]";
  return text;
}

std::string expected_summary(const Mistake& m) {
  Diagnostic d;
  d.file = m.in_line_file ? "S_linea.txt" : "S_T-.txt";
  d.line = m.slot;
  d.column = m.column;
  d.severity = m.severity;
  d.kind = static_cast<compiler::ErrorKind>(m.kind);
  d.message = m.message;
  if (!m.rule.empty()) d.rule = *compiler::warning_rule_named(m.rule);
  if (m.note_line > 0) {
    Diagnostic note;
    note.file = d.file;
    note.line = m.note_line;
    note.column = 1;
    note.severity = Severity::kNote;
    const std::string cell = m.in_line_file ? "101" : "122";
    note.message = m.rule == "duplicate-section" ? "the first " + m.record + " section"
                                                 : "cell " + cell + " is taken by this record";
    d.notes.push_back(note);
  }
  return summary(d);
}

std::vector<std::string> summaries(const compiler::CheckResult& result) {
  std::vector<std::string> all;
  for (const Diagnostic& d : result.diagnostics) all.push_back(summary(d));
  return all;
}

TEST(CheckSeededMistakes, TheUnseededPairChecksClean) {
  const compiler::CheckResult result = check_with({});
  EXPECT_TRUE(result.diagnostics.empty()) << testing::PrintToString(summaries(result));
}

TEST(CheckSeededMistakes, EachAloneGivesItsOneDiagnostic) {
  for (const Mistake& mistake : mistakes()) {
    SCOPED_TRACE(mistake.record);
    const compiler::CheckResult result = check_with({&mistake});
    EXPECT_EQ(summaries(result), std::vector<std::string>{expected_summary(mistake)});
    EXPECT_EQ(result.errors, mistake.severity == Severity::kError ? 1u : 0u);
    EXPECT_EQ(result.warnings, mistake.severity == Severity::kWarning ? 1u : 0u);
  }
}

TEST(CheckSeededMistakes, AllTogetherGiveTheSameDiagnosticsAtTheSamePlaces) {
  std::vector<const Mistake*> all;
  std::vector<std::string> expected;
  for (const Mistake& mistake : mistakes()) {
    all.push_back(&mistake);
    expected.push_back(expected_summary(mistake));
  }
  const compiler::CheckResult result = check_with(all);
  EXPECT_EQ(summaries(result), expected);
}

compiler::CheckResult check_texts(const std::string& line, const std::string& train) {
  compiler::DescriptionSources sources;
  sources.line = compiler::in_memory("L", line);
  sources.train = compiler::in_memory("T", train);
  return compiler::check_descriptions(sources);
}

const std::string kShortLine = "[generale]\r\nlunghezza percorso,    10000\r\n[curve]\r\n[fine]\r\n";

// A train without stations; one without its [generale] section or empty,
// which the compile passes over whole: one warning each, no cascade.
TEST(CheckWarnings, ATrainWithoutStationsOrWithoutItsSection) {
  const struct {
    std::string train;
    std::string expected;
  } cases[] = {
      {"[generale]\r\nvelocita, 0, 100\r\nsabbia, 3\r\n[fine]\r\n",
       "T:0:0: warning 0: the train description has no station: the scenario has no stop {no-station}"},
      {"", "T:0:0: warning 0: the train description is empty: the train has no record {missing-section}"},
      {"velocita, 0, 100\r\nstazione, 1000,  12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, X\r\n[fine]\r\n",
       "T:0:0: warning 0: the train description has no [generale] section: none of its records is read "
       "{missing-section}"},
  };
  for (const auto& c : cases) {
    const compiler::CheckResult result = check_texts(kShortLine, c.train);
    ASSERT_EQ(result.diagnostics.size(), 1u) << testing::PrintToString(summaries(result));
    EXPECT_EQ(summary(result.diagnostics[0]), c.expected);
  }
}

// One mistake, one diagnostic: what depends on a refused record is not
// blamed for it.
TEST(CheckFollowOn, NoErrorsInventedAfterTheFirst) {
  const auto station = [](const char* name) {
    return ",  12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, " + std::string(name) + "\r\n";
  };
  // The second station is refused; the third keeps its distance to the
  // first, the last one accepted.
  compiler::CheckResult result =
      check_texts(kShortLine, "[generale]\r\nvelocita, 0, 100\r\nstazione, 1000" + station("X") + "stazione, 1210" + station("Y") +
                                  "stazione, 2000" + station("Z") + "[fine]\r\n");
  EXPECT_EQ(summaries(result), std::vector<std::string>{"T:4:11: error 8: station position 1210 is not a multiple of 50"});
  // A refused line length leaves no route: nothing after it is blamed.
  result = check_texts("[generale]\r\nlunghezza percorso,    2000000\r\n[curve]\r\npendenza, 0, 1\r\n[fine]\r\n",
                       "[generale]\r\n[fine]\r\n");
  EXPECT_EQ(summaries(result), std::vector<std::string>{"L:2:24: error 1: line length 2000000 is above 1000000"});
}

// A speed that does not fit its byte is an error where the compile finds
// it: once it is laid down. One that a later record for the same cell
// replaces first is never laid, and the compile ends clean.
TEST(CheckFollowOn, ASpeedThatDoesNotFitIsAnErrorOnlyOnceLaid) {
  const auto errors = [](const compiler::CheckResult& result) {
    std::vector<std::string> found;
    for (const Diagnostic& d : result.diagnostics) {
      if (d.severity == Severity::kError) found.push_back(summary(d));
    }
    return found;
  };
  EXPECT_EQ(errors(check_texts(kShortLine, "[generale]\r\n[vel_limite]\r\nvelocita, 0, 1280\r\nvelocita, 0, 30\r\n[fine]\r\n")),
            std::vector<std::string>{});
  EXPECT_EQ(errors(check_texts(kShortLine, "[generale]\r\n[vel_limite]\r\nvelocita, 0, 80\r\nvelocita, 1000, 2000\r\n"
                                           "velocita, 3000, 90\r\nvelocita, 5000, -3\r\n[fine]\r\n")),
            (std::vector<std::string>{"T:4:17: error 25: speed 2000 is above 1277",
                                      "T:6:17: error 25: speed -3 is below -2"}));
}

TEST(CheckFiles, MissingAndUnreadableFiles) {
  compiler::DescriptionSources sources;
  sources.line = compiler::in_memory("L", kShortLine);
  sources.train = compiler::in_memory("T", "");
  sources.train.state = compiler::SourceState::kMissing;
  EXPECT_EQ(summaries(compiler::check_descriptions(sources)),
            std::vector<std::string>{"T:0:0: error 25: the train description file does not exist"});
  sources.line.state = compiler::SourceState::kMissing;
  EXPECT_EQ(summaries(compiler::check_descriptions(sources)),
            std::vector<std::string>{"L:0:0: error 101: the line description file does not exist"});
  sources.line.state = compiler::SourceState::kUnreadable;
  sources.line.reason = "Is a directory";
  EXPECT_EQ(summaries(compiler::check_descriptions(sources)),
            std::vector<std::string>{"L:0:0: error 25: the line description cannot be read: Is a directory"});
}

TEST(DiagnosticRendering, GccStyleWithTheCaretUnderTheField) {
  const compiler::CheckResult result = check_texts(kShortLine, "[generale]\r\nsabbia,   40000\r\n[fine]\r\n");
  ASSERT_FALSE(result.diagnostics.empty());
  EXPECT_EQ(compiler::render_diagnostic(result.diagnostics[0]),
            "T:2:11: error 25: sand 40000 is above 32767\n"
            "sabbia,   40000\n"
            "          ^\n");
}

// No description file can drive the terminal: every control byte of the
// echoed line is shown escaped, and the caret still stands under the field.
TEST(DiagnosticRendering, ControlBytesAreEscaped) {
  const compiler::CheckResult result =
      check_texts(kShortLine, "[generale]\r\nsabbia,\x1b[2J\x07 ,  40000\r\n[fine]\r\n");
  ASSERT_FALSE(result.diagnostics.empty());
  const std::string shown = compiler::render_diagnostic(result.diagnostics[0]);
  EXPECT_EQ(shown.find('\x1b'), std::string::npos) << shown;
  EXPECT_EQ(shown.find('\x07'), std::string::npos) << shown;
  EXPECT_EQ(shown,
            "T:2:8: error 25: sand '\\x1b[2J\\x07' is not a whole number\n"
            "sabbia,\\x1b[2J\\x07 ,  40000\n"
            "       ^\n");
  // The file's bytes are Windows-1252 letters: UTF-8 saved by mistake shows
  // as the letters the simulator would show, one column each.
  compiler::SourceExcerpt excerpt{"ab\xc2\x9b" "c\xc3\xa0" "d", 7, false, false};
  EXPECT_EQ(compiler::render_excerpt(excerpt), "ab\xc3\x82\xe2\x80\xba" "c\xc3\x83\xc2\xa0" "d\n       ^\n");
}

// One rule for every byte that reaches the terminal, in the message line as
// in the excerpt: Windows-1252 letters decoded, no control byte raw; a path
// shown as its UTF-8 characters, anything else escaped.
TEST(DiagnosticRendering, TheMessageLineAndThePathFollowOneRule) {
  const struct {
    std::string bytes;
    std::string text;
  } texts[] = {
      {"plain", "plain"},
      {"\x9b", "\xe2\x80\xba"},            // the 8-bit control in other code pages is '>' here
      {"\xff\xfe", "\xc3\xbf\xc3\xbe"},
      {"\x80", "\xe2\x82\xac"},            // the euro sign
      {"\x81\x8d\x8f\x90\x9d", "\\x81\\x8d\\x8f\\x90\\x9d"},  // undefined in the code page
      {"\x1b[2J\x7f", "\\x1b[2J\\x7f"},
  };
  for (const auto& t : texts) EXPECT_EQ(compiler::terminal_text(t.bytes), t.text) << t.bytes;
  EXPECT_EQ(compiler::terminal_path("Citt\xc3\xa0/S\x1b_linea.txt"), "Citt\xc3\xa0/S\\x1b_linea.txt");
  EXPECT_EQ(compiler::terminal_path("a\xff\x9b"), "a\\xff\\x9b") << "not UTF-8";

  const compiler::CheckResult result =
      check_texts(kShortLine, "[generale]\r\nsabbia,   4\x9b" "0\r\n[fine]\r\n");
  ASSERT_FALSE(result.diagnostics.empty());
  Diagnostic d = result.diagnostics[0];
  d.file = "T\x1b";
  EXPECT_EQ(compiler::render_diagnostic(d),
            "T\\x1b:2:11: error 25: sand '4\xe2\x80\xba" "0' is not a whole number\n"
            "sabbia,   4\xe2\x80\xba" "0\n"
            "          ^\n");
}

// A record of megabytes shows only the bytes around its field, cut with an
// ellipsis on each side, and the caret under the field.
TEST(DiagnosticRendering, AHugeRecordIsCutAroundItsField) {
  const std::string padding(3'000'000, ' ');
  const std::string tail(2'000'000, 'z');
  const compiler::CheckResult result =
      check_texts(kShortLine, "[generale]\r\nsabbia," + padding + "40000 " + tail + "\r\n[fine]\r\n");
  ASSERT_FALSE(result.diagnostics.empty());
  const Diagnostic& d = result.diagnostics[0];
  EXPECT_EQ(d.column, 3'000'008);
  const std::string shown = compiler::render_diagnostic(d);
  const std::size_t first_end = shown.find('\n');
  const std::size_t second_end = shown.find('\n', first_end + 1);
  const std::string echoed = shown.substr(first_end + 1, second_end - first_end - 1);
  const std::string caret = shown.substr(second_end + 1);
  EXPECT_LE(echoed.size(), 210u);
  EXPECT_EQ(echoed.substr(0, 3), "...");
  EXPECT_EQ(echoed.substr(echoed.size() - 3), "...");
  ASSERT_EQ(caret.back(), '\n');
  const std::size_t caret_at = caret.find('^');
  ASSERT_NE(caret_at, std::string::npos);
  EXPECT_EQ(echoed.substr(caret_at, 5), "40000");
}

}  // namespace

namespace {

// Station times follow the run; a station without a time (0) is passed.
TEST(CheckWarnings, StationTimesThatRunBackwards) {
  const auto station = [](int position, const char* time, const char* name) {
    return "stazione, " + std::to_string(position) + ",  12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   " + time + ", " +
           name + "\r\n";
  };
  const compiler::CheckResult result = check_texts(
      kShortLine, "[generale]\r\n" + station(1000, "8, 0, 0", "A") + station(2000, "0, 0, 0", "B") +
                      station(3000, "7, 50, 0", "C") + station(4000, "8, 10, 0", "D") + "[fine]\r\n");
  std::vector<std::string> warnings;
  for (const Diagnostic& d : result.diagnostics) {
    if (d.rule == compiler::WarningRule::kOutOfOrder) warnings.push_back(summary(d));
  }
  EXPECT_EQ(warnings, std::vector<std::string>{"T:4:62: warning 0: the station's time of day 07:50:00 lies before "
                                               "08:00:00, the time of 'A' before it: the times must follow the run "
                                               "{out-of-order}"});
}

}  // namespace

namespace {

// A tunnel that ends where or before it starts covers no cell.
TEST(CheckWarnings, ATunnelThatEndsBeforeItStarts) {
  const compiler::CheckResult result = check_texts(
      "[generale]\r\nlunghezza percorso,    10000\r\n[montagne]\r\nmontagna,   3000,  2000,  2\r\n"
      "montagna,   5000,  6000,  2\r\n[fine]\r\n",
      "[generale]\r\n[fine]\r\n");
  std::vector<std::string> warnings;
  for (const Diagnostic& d : result.diagnostics) {
    if (d.rule == compiler::WarningRule::kOutOfOrder) warnings.push_back(summary(d));
  }
  EXPECT_EQ(warnings, std::vector<std::string>{"L:4:20: warning 0: end 2000 is not after start 3000: the stretch "
                                               "covers no cell of the route {out-of-order}"});
}

}  // namespace

namespace {

// The same warning on line after line is kept once, with the count of its
// repeats and the line of the last; a different message starts anew.
TEST(CheckBoundedOutput, RepeatsOfOneDiagnosticAreCountedOnTheFirst) {
  std::string line = "[generale]\r\nlunghezza percorso,    10000\r\n[pendenze]\r\n";
  for (int i = 0; i < 5; ++i) line += "pendenza,  0,   200\r\n";
  line += "pendenza,  0,   300\r\n[fine]\r\n";
  const compiler::CheckResult result = check_texts(line, "[generale]\r\n[fine]\r\n");
  std::vector<const Diagnostic*> wraps;
  for (const Diagnostic& d : result.diagnostics) {
    if (d.rule == compiler::WarningRule::kValueWraps) wraps.push_back(&d);
  }
  ASSERT_EQ(wraps.size(), 2u);
  EXPECT_EQ(wraps[0]->line, 4);
  EXPECT_EQ(wraps[0]->repeats, 4u);
  EXPECT_EQ(wraps[0]->last_repeat_line, 8);
  EXPECT_EQ(wraps[1]->line, 9);
  EXPECT_EQ(wraps[1]->repeats, 0u);
  // Each record after the first also stands at the place of the one before:
  // those warnings come in turn with the wrapped values and group too.
  EXPECT_EQ(result.warnings, 13u);  // six wrapped values, five at one place, no station, no speed limit
  EXPECT_EQ(result.diagnostics.size(), 5u);
  EXPECT_EQ(compiler::render_diagnostic(*wraps[0]),
            "L:4:17: warning: gradient 200 lies outside -100 to 155: it does not fit its byte and is stored as -56 "
            "[value-wraps]\n"
            "pendenza,  0,   200\n"
            "                ^\n"
            "L:8:17: note: ... and 4 more like this, up to this line\n");
}

// Past the limit, repeats still group on the last kept diagnostic and the
// rest are counted, not kept.
TEST(CheckBoundedOutput, ALimitKeepsTheFirstAndCountsTheRest) {
  compiler::CollectingSink sink(2);
  const auto warning = [](int line, const std::string& message) {
    Diagnostic d;
    d.severity = Severity::kWarning;
    d.rule = compiler::WarningRule::kOutOfRange;
    d.file = "L";
    d.line = line;
    d.column = 3;
    d.message = message;
    return d;
  };
  sink.report(warning(1, "a"));
  sink.report(warning(2, "b"));
  sink.report(warning(3, "b"));
  sink.report(warning(4, "c"));
  sink.report(warning(5, "d"));
  ASSERT_EQ(sink.diagnostics().size(), 2u);
  EXPECT_EQ(sink.diagnostics()[1].repeats, 1u);
  EXPECT_EQ(sink.dropped(), 2u);
  // A repeat of the last kept one after a dropped one is not its repeat.
  sink.report(warning(6, "b"));
  EXPECT_EQ(sink.diagnostics()[1].repeats, 1u) << "after a dropped one, nothing is grouped";
  EXPECT_EQ(sink.dropped(), 3u);
  EXPECT_EQ(sink.warnings(), 6u);
}

}  // namespace

namespace {

// A quote left open swallows the lines after it: one warning at the quote
// that counts the lines and the records among them, and nothing about the
// swallowed records themselves.
TEST(CheckWarnings, AQuoteLeftOpenSwallowsTheRecordsAfterIt) {
  const std::string head =
      "[generale]\r\nvelocita, 0, 100\r\n[stazioni]\r\n"
      "stazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, \"PRIMA\r\n[segnali]\r\n"
      "segnale,    3050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
      "segnael,    4050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n";
  const struct {
    std::string tail;
    std::string expected;
  } cases[] = {
      {"[fine]\r\n",
       "T:4:74: warning 0: this quote is never closed: the rest of the file (4 lines, 1 record) is read as part of "
       "one text, and no record on it is compiled {unclosed-quote}"},
      {"segnale,    5050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\"\r\n[fine]\r\n",
       "T:4:74: warning 0: this quote is closed only on line 8: the 4 lines, 2 records after it are read as part of "
       "one text, and no record on them is compiled {unclosed-quote}"},
  };
  for (const auto& c : cases) {
    const compiler::CheckResult result = check_texts(kShortLine, head + c.tail);
    std::vector<std::string> found;
    for (const Diagnostic& d : result.diagnostics) {
      if (d.rule != compiler::WarningRule::kNoStation) found.push_back(summary(d));
    }
    EXPECT_EQ(found, std::vector<std::string>{c.expected});
  }
}

}  // namespace
