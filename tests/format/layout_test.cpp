// The canonical layout, case by case: what the formatter writes for each
// kind of line, and the lines it must leave exactly as they are.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/formatter.h"

namespace {

using compiler::Description;

struct LayoutCase {
  const char* name;
  Description description;
  std::string input;
  std::string expected;
};

void expect_layout(const std::vector<LayoutCase>& cases) {
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string formatted = tools::format_description(c.input, c.description);
    EXPECT_EQ(formatted, c.expected);
    EXPECT_EQ(tools::format_description(formatted, c.description), formatted) << "formatted twice";
  }
}

TEST(FormatLayout, EveryRecordKindTakesItsColumns) {
  expect_layout({
      {"line description", Description::kLine,
       "[generale]\r\n"
       "lunghezza percorso,5000\r\n"
       "  progressiva chilometrica uno ,0,0,0\r\n"
       "sfondo uno,\t0\r\n"
       "ripetizione segnali 4 codici,  1000 ,  4000  \r\n"
       "[curve]\r\n"
       "curvad3,100,200\r\n"
       "[pendenze]\r\n"
       "pendenza,0,-5\r\n"
       "pendenza,+2000,007\r\n"
       "[montagne]\r\n"
       "montagna,  2500,3200,12\r\n"
       "[cartelli]\r\n"
       "indicatori_vmax,1000,90,100,110,0,90,100,110,0\r\n"
       "[indicazioni]\r\n"
       "cartello_indicatore,2450,   (GALLERIA)(DEL COLLE)  \r\n"
       "[fine]\r\n",
       "[generale]\r\n"
       "lunghezza percorso,    5000\r\n"
       "progressiva chilometrica uno,       0,       0,   0\r\n"
       "sfondo uno,   0\r\n"
       "ripetizione segnali 4 codici,    1000,    4000\r\n"
       "[curve]\r\n"
       "curvad3,     100,     200\r\n"
       "[pendenze]\r\n"
       "pendenza,       0,  -5\r\n"
       "pendenza,   +2000, 007\r\n"
       "[montagne]\r\n"
       "montagna,    2500,    3200,  12\r\n"
       "[cartelli]\r\n"
       "indicatori_vmax,    1000,  90, 100, 110,   0,  90, 100, 110,   0\r\n"
       "[indicazioni]\r\n"
       // The blanks at the end of a text are part of it.
       "cartello_indicatore,    2450, (GALLERIA)(DEL COLLE)  \r\n"
       "[fine]\r\n"},
      {"train description", Description::kTrain,
       "[generale]\r\n"
       "numero vetture,6\r\n"
       "percentuale massa frenata,120\r\n"
       "sabbia,200\r\n"
       "orologio,8,0,0\r\n"
       "[aderenze]\r\n"
       "aderenza,0,100\r\n"
       "[vel_limite]\r\n"
       "velocita,0,30\r\n"
       "   velocita   ,600,100\r\n"
       "[stazioni]\r\n"
       "stazione,0,8,400,0,0,0,1,1,0,4,1,1,1,8,0,0,PARTENZA\r\n"
       "stazione,5500,2,400,0,0,0,1,1,0,2,1,1,0,8,7,0,   ARRIVO \xC8  \r\n"
       "[rallentamenti]\r\n"
       "rallentamento,3000,60,400,0,1,0\r\n"
       "abbattimento,4000,180\r\n"
       "[segnali]\r\n"
       "segnale,1050,2,4,1,0,0,0,0,0,0,0\r\n"
       "segnale,4500,2,4,0,0,0,0,0,0,0,0\r\n"
       "[codici]\r\n"
       "[fine]\r\n",
       "[generale]\r\n"
       "numero vetture,   6\r\n"
       "percentuale massa frenata, 120\r\n"
       "sabbia, 200\r\n"
       "orologio,   8,   0,   0\r\n"
       "[aderenze]\r\n"
       "aderenza,       0, 100\r\n"
       "[vel_limite]\r\n"
       "velocita,       0,  30\r\n"
       "velocita,     600, 100\r\n"
       "[stazioni]\r\n"
       "stazione,       0,   8,     400,   0,   0,   0,   1,   1,   0,   4,   1,   1,   1,   8,   0,   0, PARTENZA\r\n"
       "stazione,    5500,   2,     400,   0,   0,   0,   1,   1,   0,   2,   1,   1,   0,   8,   7,   0, ARRIVO \xC8  \r\n"
       "[rallentamenti]\r\n"
       "rallentamento,    3000,  60,     400,   0,   1,   0\r\n"
       "abbattimento,    4000, 180\r\n"
       "[segnali]\r\n"
       "segnale,    1050,   2,   4,   1,   0,   0,   0,   0,   0,   0,   0\r\n"
       "segnale,    4500,   2,   4,   0,   0,   0,   0,   0,   0,   0,   0\r\n"
       "[codici]\r\n"
       "[fine]\r\n"},
  });
}

TEST(FormatLayout, LineEndsBlankLinesAndHeaders) {
  expect_layout({
      {"the text before [generale] keeps its own line ends; runs of blank lines become one", Description::kLine,
       "Linea di prova  \n\n\n[generale]\nlunghezza percorso, 5000\n\n\n \t\n[pendenze]\rpendenza, 0, 1\r\n",
       "Linea di prova  \n\n\n[generale]\nlunghezza percorso,    5000\r\n\r\n[pendenze]\r\npendenza,       0,   1\r\n"},
      {"blank lines at the end go", Description::kTrain,
       "[generale]\r\nvelocita, 0, 100\r\n[fine]\r\n\r\n  \r\n\t\r\n",
       "[generale]\r\nvelocita,       0, 100\r\n[fine]\r\n"},
      {"the last line gets its line end", Description::kLine,
       "[generale]\r\nlunghezza percorso, 5000\r\n[fine]",
       "[generale]\r\nlunghezza percorso,    5000\r\n[fine]\r\n"},
      {"carriage returns alone", Description::kLine,
       "[generale]\rlunghezza percorso,5000\r[fine]\r",
       "[generale]\rlunghezza percorso,    5000\r\n[fine]\r\n"},
      {"known headers lose their blanks and keep their letters; an unknown one stays", Description::kLine,
       "[generale]\r\nlunghezza percorso, 5000\r\n  [curve]  \r\n\t[PENDENZE]\r\n[pendenz]  \r\n[fine]\r\n",
       "[generale]\r\nlunghezza percorso,    5000\r\n[curve]\r\n[PENDENZE]\r\n[pendenz]  \r\n[fine]\r\n"},
  });
}

// A line description and a train description with room for one more line
// in the middle; the records around it are formatted, the line itself
// stays as it is.
constexpr const char* kLineHead = "[generale]\r\nlunghezza percorso, 5000\r\n[pendenze]\r\npendenza, 0, 1\r\n";
constexpr const char* kLineHeadFormatted =
    "[generale]\r\nlunghezza percorso,    5000\r\n[pendenze]\r\npendenza,       0,   1\r\n";
constexpr const char* kLineTail = "pendenza, 4000, 0\r\n[fine]\r\n";
constexpr const char* kLineTailFormatted = "pendenza,    4000,   0\r\n[fine]\r\n";
constexpr const char* kTrainHead = "[generale]\r\nvelocita, 0, 100\r\n";
constexpr const char* kTrainHeadFormatted = "[generale]\r\nvelocita,       0, 100\r\n";
constexpr const char* kTrainTail = "segnale, 4500, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0\r\n[fine]\r\n";
constexpr const char* kTrainTailFormatted =
    "segnale,    4500,   2,   4,   0,   0,   0,   0,   0,   0,   0,   0\r\n[fine]\r\n";

LayoutCase kept_in_line(const char* name, const std::string& lines) {
  return {name, Description::kLine, kLineHead + lines + kLineTail, kLineHeadFormatted + lines + kLineTailFormatted};
}

LayoutCase kept_in_train(const char* name, const std::string& lines) {
  return {name, Description::kTrain, kTrainHead + lines + kTrainTail,
          kTrainHeadFormatted + lines + kTrainTailFormatted};
}

TEST(FormatLayout, WhatTheFormatterIsNotSureOfStaysAsItIs) {
  expect_layout({
      kept_in_line("a value that wraps in its byte (a warning)", "pendenza,  1000,   300\r\n"),
      kept_in_line("a misspelt keyword", "pendenz,  1000,  2  \r\n"),
      kept_in_line("a ruler line", "--------   \r\n"),
      kept_in_line("speed boards with empty speeds",
                   "indicatori_vmax,  1000,  90,  100,  110,  0,  ,  ,  ,  0\r\n"),
      kept_in_line("a record over two lines", "montagna, 2500,\r\n   3200, 12\r\n"),
      kept_in_line("a field too many", "pendenza,  1000,  2, 7\r\n"),
      kept_in_line("numbers separated by blanks alone", "pendenza, 1000  2\r\n"),
      kept_in_line("a keyword that names two record kinds", "pendenza montagna, 1000, 2, 2500, 3200, 2\r\n"),
      kept_in_line("a quoted inscription", "cartello_indicatore,  2450,  \"(A, B)\"  \r\n"),
      kept_in_line("lines inside a quoted inscription, their line ends too",
                   "cartello_indicatore, 2450, \"(A\n\n  pendenza ,  3000, 4\r)\"\r\n"),
      kept_in_line("a line that looks like a comment", "// pendenza, 1000, 2\r\n"),
      kept_in_train("a clock written with blanks", "orologio,    6  42  40 \r\n"),
      kept_in_train("a station off the 50 m grid (an error)",
                    "stazione, 2730, 12, 400, 0,0,1, 1,1,0, 4,1,1, 0, 0,0,0, VERZANO\r\n"),
      kept_in_train("a station whose name is the next line's keyword",
                    "stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0,\r\nvelocita ,  900,  115\r\n"),
      kept_in_train("a keyword that names two record kinds", "velocita aderenza, 900, 115, 900, 100\r\n"),
      {"the second signal in one cell (an error); the first is formatted", Description::kTrain,
       std::string(kTrainHead) + "segnale, 2050, 2,4,1,0,0,0,0,0,0,0\r\nsegnale,  2060, 2,4,1,0,0,0,0,0,0,0\r\n" +
           kTrainTail,
       std::string(kTrainHeadFormatted) +
           "segnale,    2050,   2,   4,   1,   0,   0,   0,   0,   0,   0,   0\r\n"
           "segnale,  2060, 2,4,1,0,0,0,0,0,0,0\r\n" +
           kTrainTailFormatted},
      {"from a field that cannot be read to the end", Description::kLine,
       std::string(kLineHead) + "pendenza, 1000, 2x\r\npendenza ,  2000,  3  \r\n\r\n\r\n[fine]",
       std::string(kLineHeadFormatted) + "pendenza, 1000, 2x\r\npendenza ,  2000,  3  \r\n\r\n\r\n[fine]"},
      {"a quote never closed: nothing is added at the end", Description::kLine,
       "[generale]\r\nlunghezza percorso, 5000\r\ncartello_indicatore, 100, \"(A\r\n  \r\n",
       "[generale]\r\nlunghezza percorso,    5000\r\ncartello_indicatore, 100, \"(A\r\n  \r\n"},
  });
}

TEST(FormatLayout, TextsWithoutASectionStayAsTheyAre) {
  const std::vector<std::pair<Description, std::string>> texts = {
      {Description::kLine, ""},
      {Description::kTrain, ""},
      {Description::kLine, "pendenza, 0, 1\n  \n"},
      {Description::kTrain, "velocita ,0, 100"},
      // The line description's section search never takes its last field.
      {Description::kLine, "[generale]  \n\n"},
      // An unclosed quote holds the only [generale]: the file's last field.
      {Description::kLine, std::string("\xEF\xBB\xBF\x00\xFF\"[generale]\r\n", 18)},
  };
  for (const auto& [description, text] : texts) {
    EXPECT_EQ(tools::format_description(text, description), text) << text;
  }
}

TEST(FormatLayout, DescriptionOfAFileByNameThenByContent) {
  const std::string line = "[generale]\r\nlunghezza percorso, 5000\r\n[pendenze]\r\npendenza, 0, 1\r\n";
  const std::string train = "[generale]\r\nvelocita, 0, 100\r\nstazione, 0, 8\r\n";
  struct Case {
    const char* path;
    const std::string& text;
    Description expected;
  };
  const Case cases[] = {
      {"dir/S_linea.txt", train, Description::kLine},
      {"S_T-.txt", line, Description::kTrain},
      {"dir/notes.txt", line, Description::kLine},
      {"notes.txt", train, Description::kTrain},
      {"linea.txt", train, Description::kTrain},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tools::description_of_file(c.path, c.text), c.expected) << c.path;
  }
}

}  // namespace
