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
        "minutes, a light group of 12, a slowdown at 600 km/h.\n"
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
        "nearest one (exact halves to the even step), so 102 km/h is stored as 100 km/h. A slowdown's speed "
        "stands on its boards, which show speeds in steps of 5 km/h too; the compile stores it as written.\n"
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
    WarningRuleRow{
        WarningRule::kCommentLike, "comment-like-record", "a line that looks like a comment but holds a record",
        "Description files have no comments. A record is found by the words of its keyword wherever they "
        "stand in the field, so a line that starts with ';', '#' or '//' and names a record is compiled like "
        "any other; an old value kept that way takes effect.\n"
        "Delete the line. Notes may stand before the [generale] section, where nothing is read.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   0\n"
         "; pendenza,  1000,   8\n"
         "pendenza,  2000,   2\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   0\n"
         "pendenza,  2000,   2\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kLetterCase, "letter-case", "a keyword recognised only in small letters, written otherwise",
        "Most keywords are recognised in any letter case, but those of the line's backgrounds, chainage "
        "entries and signal repetition only as the reference page writes them, in small letters. Written "
        "otherwise, the record is passed over and its entry keeps 0.\n"
        "Write the keyword in small letters.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "Sfondo Uno,    1\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "sfondo uno,    1\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kDuplicateSection, "duplicate-section", "a section header that stands twice",
        "The compile reads the records in file order wherever they stand, so a second section of one name "
        "does no harm to the bytes. But a profile split over two sections is easily written out of order, "
        "and an author who edits the first section does not see the records of the second.\n"
        "Keep each section once and move its records together.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[curve]\n"
         "curvas2,  1000,  400\n"
         "[pendenze]\n"
         "pendenza,  0,   0\n"
         "[curve]\n"
         "curvad2,  3000,  400\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[curve]\n"
         "curvas2,  1000,  400\n"
         "curvad2,  3000,  400\n"
         "[pendenze]\n"
         "pendenza,  0,   0\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kExtraField, "extra-field", "a line that holds more than its record's fields",
        "A record takes a fixed number of fields. A number ends at a blank, so '6 000' is read as two "
        "fields, 6 and 000, and every field after it moves one place; whatever the record does not take is "
        "read as the keyword of another record. The fields of the clock are the one place where blanks "
        "separate numbers on purpose.\n"
        "Write numbers without blanks inside, and no more fields than the record takes.",
        train_example(
         "[generale]\n"
         "velocita,   0,   10 0\n"
         "aderenza,   0,   100\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kProfileStart, "profile-start", "a speed or adhesion profile that does not start at 0",
        "The speed limits and adhesion values are laid from the start of the route: up to the first record "
        "of each, the route keeps 0, a limit of 0 km/h or an adhesion of 0. A train description without any "
        "speed limit leaves the whole route at 0 km/h.\n"
        "Give each profile a record at position 0.",
        train_example(
         "[generale]\n"
         "velocita,   1000,   100\n"
         "aderenza,   0,   100\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kScheduleTooTight, "schedule-too-tight",
        "a timetable that asks for a run faster than the speed limits allow",
        "Between two stations with times of day, the train cannot be faster than the line's speed limits "
        "allow: the run takes at least the sum, over each 50 m cell, of the cell's length at its limit. A "
        "timetable that gives less time cannot be kept, even at full speed with no time to start and stop.\n"
        "Give the later station a later time, or the line higher limits.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    1000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   8, 0, 0, PRIMA\n"
         "stazione,    4000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   8, 1, 0, SECONDA\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    1000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   8, 0, 0, PRIMA\n"
         "stazione,    4000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   8, 2, 0, SECONDA\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kFilesSwapped, "files-swapped", "the line and the train description given in the wrong order",
        "The line description comes first, the train description second. Given the other way round, each "
        "file is read as the other, and every record of both is out of place. The check says so once and "
        "reads nothing else.\n"
        "Give the files in the order LINE TRAIN: the one named NAME_linea.txt first.",
        line_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[fine]\n")},
    WarningRuleRow{
        WarningRule::kSamePlace, "same-place", "two records of one profile in one 50 m cell",
        "A gradient, speed limit or adhesion record holds from its own cell up to the next record's. Two "
        "records of one profile in the same cell leave the first one a single cell (50 m), or, at the "
        "route's start, nothing at all: the second replaces it. Most often the first is an old line that "
        "should have been deleted, or its position was mistyped.\n"
        "Delete the record that should not be there, or correct its position.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   0\n"
         "pendenza,  2000,   4\n"
         "pendenza,  2000,   6\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[pendenze]\n"
         "pendenza,  0,   0\n"
         "pendenza,  2000,   6\n"
         "[fine]\n")},
};

}  // namespace

std::span<const WarningRuleRow> warning_rule_rows() { return kRows; }

}  // namespace compiler
