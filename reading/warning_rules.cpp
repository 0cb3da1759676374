// The warning rules, each with its name, meaning and explanation: what the
// compile reads differently from what the author evidently meant, and what
// it does instead. A warning never changes the compiled bytes.

#include "reading/error_rows.h"

namespace compiler {
namespace {

// The paragraphs are single lines; format_explanation wraps them.
constexpr std::array kRows = {
    WarningRuleRow{
        WarningRule::kUtf8Text, "utf8-text", "a line holds UTF-8 text in a Windows-1252 file",
        "Description files are Windows-1252: one byte per letter. An editor that saves UTF-8 writes a letter "
        "beyond ASCII, such as the accented letters of a station name, as two or three bytes, and the "
        "simulator shows them as that many wrong letters.\n"
        "Save the file as Windows-1252 (in Vim: :set fileencoding=cp1252; in VS Code: Save with Encoding, "
        "Western (Windows 1252)).",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[cartelli]\n"
         "cartello_indicatore,  2450,   (GALLERIA)(CITT\xc3\x80)\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[cartelli]\n"
         "cartello_indicatore,  2450,   (GALLERIA)(CITT\xc0)\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kByteOrderMark, "byte-order-mark", "the file starts with a UTF-8 byte-order mark",
        "Some editors put three bytes (EF BB BF) at the start of a file saved as UTF-8. The compiler reads "
        "them as part of the first field; before the [generale] section they do no harm, but they show that "
        "the file was saved as UTF-8, not as the Windows-1252 the format wants.\n"
        "Save the file as Windows-1252, without a byte-order mark.",
        line_example(
         "\xef\xbb\xbf[generale]\n"
         "lunghezza percorso,    5000\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kUnknownKeyword, "unknown-keyword", "a keyword that no record of the file has",
        "A record is recognised by the words of its keyword. A field that holds none of them is passed over "
        "alone, and the fields after it are read as keywords in turn, so a misspelt keyword lets its whole "
        "record pass unnoticed by the compile.\n"
        "Write the keyword as the reference page gives it; the warning names the nearest known one.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnael,    1050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    1050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kUnknownSection, "unknown-section", "a section header that the file does not have",
        "Section headers are for the reader, and the compile passes over them; but a misspelt header usually "
        "means that the records under it are not where the author thinks.\n"
        "Write the header as the reference page gives it; the warning names the nearest known one.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnalli]\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kWrongSection, "wrong-section", "a keyword of the file stands where it is not read",
        "The general records of the line description are read only in its [generale] section, and its other "
        "records only after that section. A keyword of the file in the other part is passed over with its "
        "record.\n"
        "Move the record into its section.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "pendenza,  0,   2\n"
         "[pendenze]\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   2\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kAfterEndMarker, "after-end-marker", "a record after the end marker [fine]",
        "The file ends with [fine]. Records after it are still read, but they are most likely left over "
        "from an edit, and the file's last field is never handled.\n"
        "Put every record before [fine], and end the file there.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[fine]\n"
         "[pendenze]\n"
         "pendenza,  0,   2\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   2\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kMissingSection, "missing-section", "a train description without its [generale] section",
        "Reading starts after the first field that holds [generale]. A train description without it, or an "
        "empty one, is passed over whole: the train keeps no speed limit, no station and no signal, and the "
        "compile still writes its files.\n"
        "Start the train description with its [generale] section.",
        train_example(
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kBeyondLineLength, "beyond-line-length", "a record beyond the end of the line",
        "The route runs 7000 m past the end of the line, so a record placed there compiles; but nothing the "
        "train meets after the line's end is part of the scenario.\n"
        "Place the record within the line's length, or make the line longer.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   2\n"
         "pendenza,  6000,   0\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   2\n"
         "pendenza,  4000,   0\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kNoStation, "no-station", "the train description has no station",
        "A scenario without a station has no stop and no timetable: the train runs the line and the "
        "simulator has nothing to score.\n"
        "Give the train at least its first and last station.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kOutOfRange, "out-of-range", "a value outside the range its field documents",
        "Each field has a documented range (the reference page gives it). The compile stores a value outside "
        "it as it stands, where the simulator reads it as something the author did not mean: a time of 75 "
        "minutes, a light group of 12.\n"
        "Give a value within the field's range.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "orologio,    6  75  40\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "orologio,    6  45  40\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kValueWraps, "value-wraps", "a value too large or too small for the byte it is stored in",
        "Some values are stored in one byte of the route: a gradient as the gradient plus 100, from -100 to "
        "155 per mille, an adhesion value from 0 to 255. A value outside that range keeps only its low bits: "
        "a gradient of 200 per mille is stored as -56, an adhesion of 300 as 44.\n"
        "Give a value within the field's range.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   200\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   20\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kNotAMultiple, "not-a-multiple", "a value that is not a multiple of its field's step",
        "Speed limits are stored in steps of 5 km/h: a speed that is not a multiple of 5 is rounded to the "
        "nearest one (exact halves to the even step), so 102 km/h is stored as 100 km/h.\n"
        "Give a multiple of 5.",
        train_example(
         "[generale]\n"
         "velocita,   0,   102\n"
         "aderenza,   0,   100\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kOutOfOrder, "out-of-order", "records that must follow one another do not",
        "Gradients, speed limits and adhesion values each form a profile: a record gives its value from its "
        "own position up to the next record of the same kind. The compile lays the records in file order, "
        "so one whose position lies before the previous one's takes effect only where the profile already "
        "stands, and the stretch the author meant for it keeps the previous value. Stations are met in file "
        "order too, and a station's time of day before the previous station's makes the timetable run "
        "backwards. A tunnel whose end is not after its start covers no cell.\n"
        "Write the records of each profile in increasing position, and the stations in the order of the run.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   0\n"
         "pendenza,  3000,   2\n"
         "pendenza,  1000,   5\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   0\n"
         "pendenza,  1000,   5\n"
         "pendenza,  3000,   2\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kDuplicateName, "duplicate-name", "two stations with the same name",
        "The simulator shows the stations by name in the timetable and at the stops. Two stations with one "
        "name cannot be told apart; most often one of them was copied and not renamed.\n"
        "Give every station its own name.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\n"
         "stazione,    4000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,  10, 0, 0, PRIMA\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\n"
         "stazione,    4000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,  10, 0, 0, SECONDA\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kUnclosedQuote, "unclosed-quote", "a quoted text that runs over the end of its line",
        "A text field that starts with a double quote runs to the next double quote, line ends and commas "
        "included. A quote left open reads the lines after it, up to the next quote or the end of the file, "
        "as one text: the records there are not compiled, and nothing else says so.\n"
        "Close the quote on the same line, or write the text without quotes.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, \"PRIMA\n"
         "[segnali]\n"
         "segnale,    3050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, \"PRIMA\"\n"
         "[segnali]\n"
         "segnale,    3050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\n"
         "[fine]\n")},
};

}  // namespace

std::span<const WarningRuleRow> warning_rule_rows() { return kRows; }

}  // namespace compiler
