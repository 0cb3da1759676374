#include "reading/explanations.h"

#include <array>

#include "reading/error_kinds.h"

namespace compiler {
namespace {

constexpr std::string_view kBaseLine =
    "[generale]\n"
    "lunghezza percorso,    5000\n"
    "[fine]\n";

constexpr std::string_view kBaseTrain =
    "[generale]\n"
    "velocita,   0,   100\n"
    "aderenza,   0,   100\n"
    "[fine]\n";

constexpr ErrorExample line_example(std::string_view wrong, std::string_view corrected) {
  ErrorExample example;
  example.file = ExampleFile::kLine;
  example.wrong = wrong;
  example.corrected = corrected;
  return example;
}

constexpr ErrorExample train_example(std::string_view wrong, std::string_view corrected) {
  ErrorExample example = line_example(wrong, corrected);
  example.file = ExampleFile::kTrain;
  return example;
}

// A train example on a line of its own, with one record repeated.
constexpr ErrorExample train_example(std::string_view wrong, std::string_view corrected, std::string_view line,
                                     RepeatedRecord repeated) {
  ErrorExample example = train_example(wrong, corrected);
  example.other = line;
  example.repeated = repeated;
  return example;
}

constexpr ErrorExample missing_line_example(std::string_view corrected) {
  ErrorExample example = line_example({}, corrected);
  example.wrong_file_missing = true;
  return example;
}

// The paragraphs are single lines; format_explanation wraps them.
constexpr std::array kExplanations = {
    ErrorExplanation{
        1,
        {},
        "The length record gives the length of the line in metres. The compiler keeps one route cell for "
        "every 50 m of line plus 7000 m of run-out, and with the track plan one point for every metre; a "
        "line longer than 1,000,000 m is refused so that both stay within bounds.\n"
        "Nothing is compiled: without a length there is no route, and no file is written.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    1200000\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    12000\n"
         "[fine]\n")},
    ErrorExplanation{
        2,
        {},
        "Each of the three kilometric chainage records gives a position, a chainage value and a flag. "
        "Once the compiler has put the three in order of position, every position and every value must "
        "lie on the 50 m grid of the route cells (a flag of 1 adds 100 to the value, which keeps it on "
        "the grid).\n"
        "The check is made after the train description has been read, so the error names the line "
        "description without pointing at one record. The files are still written.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "progressiva chilometrica uno,    1025,    0,    0\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "progressiva chilometrica uno,    1000,    0,    0\n"
         "[fine]\n")},
    ErrorExplanation{
        3,
        {},
        "The cab-signal repetition record gives the stretch of line, start and end in metres, over which "
        "the signal aspect is repeated in the cab. Both ends mark route cells, so both must be multiples "
        "of 50. A start off the grid stops the reading of the line description.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "ripetizione segnali 4 codici,    1020,    4000\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "ripetizione segnali 4 codici,    1000,    4000\n"
         "[fine]\n")},
    ErrorExplanation{
        4,
        {},
        "The cab-signal repetition record gives the stretch of line, start and end in metres, over which "
        "the signal aspect is repeated in the cab. Both ends mark route cells, so both must be multiples "
        "of 50. An end off the grid stops the reading of the line description. An end of 0 means no "
        "repetition at all.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "ripetizione segnali 4 codici,    1000,    4020\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "ripetizione segnali 4 codici,    1000,    4000\n"
         "[fine]\n")},
    ErrorExplanation{
        5,
        {},
        "The digit in the keyword of the cab-signal repetition record names the code system: 4 for the "
        "four-code system (\"ripetizione segnali 4 codici\"), 9 for the nine-code system (\"ripetizione "
        "segnali 9 codici\"). A keyword with neither digit leaves the system unknown, and the reading of "
        "the line description stops.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "ripetizione segnali codici,    1000,    4000\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "ripetizione segnali 4 codici,    1000,    4000\n"
         "[fine]\n")},
    ErrorExplanation{
        6,
        {},
        "An indication board takes the route cell one after its position: position/50 + 1, rounded (a "
        "board at 1000 m takes cell 21). A cell holds one object. When an earlier record of the line "
        "description, a maximum-speed board or another indication board, already took the cell, the "
        "board is refused and the reading of the line description stops.\n"
        "Move one of the two boards to another cell, 50 m or more away.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[cartelli]\n"
         "indicatori_vmax,  1000,  100,  110,  120,  0,  ,  ,  ,  0\n"
         "[indicazioni]\n"
         "cartello_indicatore,  1000,   (GALLERIA)(COLLE)(Km 1+000)\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[cartelli]\n"
         "indicatori_vmax,  1000,  100,  110,  120,  0,  ,  ,  ,  0\n"
         "[indicazioni]\n"
         "cartello_indicatore,  1200,   (GALLERIA)(COLLE)(Km 1+250)\n"
         "[fine]\n")},
    ErrorExplanation{
        7,
        {},
        "A lowering record takes the route cell position/50, rounded (a record at 2000 m takes cell 40). "
        "A cell holds one object: when a board, a signal, a station stop, a slowdown cell or another "
        "lowering record already took it, the record is refused and the reading of the train "
        "description stops. The train's records are stored in file order, so the later of the two is "
        "the one refused.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    1950,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "abbattimento,    2000,   180\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    1950,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "abbattimento,    2100,   180\n"
         "[fine]\n")},
    ErrorExplanation{
        8,
        {},
        "A station's position (its first column) must be a multiple of 50: the station's stretch, its "
        "stop cell and its approach markers are all laid out on the 50 m grid of the route cells from "
        "it. The reading of the train description stops at the station.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2025, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, VERZANO\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, VERZANO\n"
         "[fine]\n")},
    ErrorExplanation{
        9,
        {},
        "A station's length (its third column) must be a multiple of 100: an ordinary station's stretch "
        "runs half its length on either side of its position, and both ends must stay on the 50 m grid. "
        "The reading of the train description stops at the station.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2000, 12,  450,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, VERZANO\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, VERZANO\n"
         "[fine]\n")},
    ErrorExplanation{
        10,
        {},
        "Stations and indication board texts share the compiled scenario table: stations fill it from "
        "entry 1 upward, board texts from entry 80 downward. With B indication boards in the line "
        "description at most 78 - B stations fit; the station that would reach the board texts is "
        "refused and the reading of the train description stops.\n"
        "The example's line has no indication boards, so 78 stations are the most its train can have.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "{repeat}\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "{repeat}\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    50000\n"
         "[fine]\n",
         RepeatedRecord{"stazione,   ", ", 12,  200,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, FERMATA", 1000, 600,
                        79, 78})},
    ErrorExplanation{
        11,
        {},
        "Before a slowdown's warning board the compiler lowers every signal that stands within 20 cells "
        "(1000 m) in front of the board: it places an automatic lowering point in the first free cell of "
        "the two just before the signal's cell, or, when neither is free, lowers a lowering point that "
        "already stands there to 180. When both cells hold other objects, the signal cannot be lowered.\n"
        "The error is recorded at the signal and the compile goes on; the files are written. Leave one of "
        "the two cells before the signal free.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    1450,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "abbattimento,    1400,   0\n"
         "abbattimento,    1450,   0\n"
         "rallentamento,    3000,  60,  500,  0,  0,  0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    1450,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "abbattimento,    1400,   0\n"
         "rallentamento,    3000,  60,  500,  0,  0,  0\n"
         "[fine]\n")},
    ErrorExplanation{
        12,
        {},
        "Before every slowdown start the compiler places three automatic lowering points, one in each of "
        "three groups of cells before the start cell: 5 to 7 cells, 11 to 13 cells and 18 to 20 cells "
        "before it (about 300 m, 600 m and 950 m). In each group the first free cell takes the point. "
        "When all three cells of a group hold other objects the point is missing.\n"
        "The error is recorded at the slowdown's start cell and the compile goes on; the files are "
        "written.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[rallentamenti]\n"
         "abbattimento,    2700,   0\n"
         "abbattimento,    2750,   0\n"
         "abbattimento,    2800,   0\n"
         "rallentamento,    3000,  60,  500,  0,  0,  0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[rallentamenti]\n"
         "abbattimento,    2700,   0\n"
         "abbattimento,    2800,   0\n"
         "rallentamento,    3000,  60,  500,  0,  0,  0\n"
         "[fine]\n")},
    ErrorExplanation{
        13,
        {},
        "Inside a slowdown slower than 110 km/h the compiler places an automatic lowering point every 8 "
        "cells (400 m) from the start cell, each in the chosen cell or else in the cell before or after "
        "it; and after the slowdown's end one more in front of the first signal within 12 cells, in one "
        "of the two cells before it. When all the cells it may use hold other objects the point is "
        "missing.\n"
        "The error is recorded where the point was wanted and the compile goes on; the files are "
        "written.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[rallentamenti]\n"
         "abbattimento,    3400,   0\n"
         "abbattimento,    3450,   0\n"
         "abbattimento,    3500,   0\n"
         "rallentamento,    3000,  60,  1000,  0,  0,  0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[rallentamenti]\n"
         "abbattimento,    3400,   0\n"
         "abbattimento,    3500,   0\n"
         "rallentamento,    3000,  60,  1000,  0,  0,  0\n"
         "[fine]\n")},
    ErrorExplanation{
        15,
        {},
        "The route is the line length plus 7000 m, one cell per 50 m. A positioned record must leave "
        "room before the route's last cell: its position plus 100 m (plus 800 m for a station) may not "
        "lie beyond it. The reading of the file stops at that record; the profiles still run on to the "
        "end of the route and the files are written.\n"
        "Positions are metres from the start of the line; compare the record's position with the line "
        "length.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,   12000,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    4500,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[fine]\n")},
    ErrorExplanation{
        16,
        {},
        "A signal takes the route cell one after its position: position/50 + 1, rounded (a signal at "
        "2000 m takes cell 41, and so does one at 2020 m). A cell holds one object: when a board, a "
        "station stop, a slowdown cell, a lowering record or another signal already took it, the signal "
        "is refused and the reading of the train description stops. The line's boards are stored before "
        "the train's records, and the train's records in file order.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    2000,   2, 4, 1, 0, 0,   0, 0, 0, 0, 0\n"
         "segnale,    2020,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    2000,   2, 4, 1, 0, 0,   0, 0, 0, 0, 0\n"
         "segnale,    3250,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[fine]\n")},
    ErrorExplanation{
        17,
        {},
        "A slowdown that starts more than 1500 m from the line start gets a warning board 1200 m before "
        "its start, in the cell (start - 1200)/50 + 1, rounded. That cell must be free; when an earlier "
        "record took it, the slowdown is refused whole (nothing of it is written) and the reading of the "
        "train description stops.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    1800,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "rallentamento,    3000,  60,  500,  0,  0,  0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    1600,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "rallentamento,    3000,  60,  500,  0,  0,  0\n"
         "[fine]\n")},
    ErrorExplanation{
        18,
        {},
        "A slowdown's start takes the cell start/50 + 1, rounded. That cell must be free; when an earlier "
        "record took it, the slowdown is refused whole (nothing of it is written) and the reading of the "
        "train description stops.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    3000,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "rallentamento,    3000,  60,  500,  0,  0,  0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    2500,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "rallentamento,    3000,  60,  500,  0,  0,  0\n"
         "[fine]\n")},
    ErrorExplanation{
        19,
        {},
        "A slowdown's end takes the cell (start + length)/50 + 1, rounded. That cell must be free; when "
        "an earlier record took it, the slowdown is refused whole (nothing of it is written) and the "
        "reading of the train description stops.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    3500,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "rallentamento,    3000,  60,  500,  0,  0,  0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    3700,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "rallentamento,    3000,  60,  500,  0,  0,  0\n"
         "[fine]\n")},
    ErrorExplanation{
        20,
        {},
        "A slowdown with its fifth value (f_ta) not 0 that starts more than 1500 m from the line start "
        "gets four approach boards, in the cell (start - 1200)/50, rounded, and the three cells before "
        "it. All four must be free. Unlike the other slowdown errors, this one is found after the "
        "slowdown's start, end and warning cells are written, and they stay; the reading of the train "
        "description stops.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    1700,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "rallentamento,    3000,  60,  500,  0,  1,  0\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[segnali]\n"
         "segnale,    1500,   2, 4, 0, 0, 0,   0, 0, 0, 0, 0\n"
         "[rallentamenti]\n"
         "rallentamento,    3000,  60,  500,  0,  1,  0\n"
         "[fine]\n")},
    ErrorExplanation{
        21,
        {},
        "A record of maximum-speed boards takes the route cell one after its position: position/50 + 1, "
        "rounded (boards at 1000 m take cell 21, and so do boards at 1020 m). A cell holds one object; "
        "when an earlier record of the line description already took it, the boards are refused and the "
        "reading of the line description stops.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[cartelli]\n"
         "indicatori_vmax,  1000,  100,  110,  120,  0,  ,  ,  ,  0\n"
         "indicatori_vmax,  1020,  80,  90,  100,  0,  ,  ,  ,  0\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[cartelli]\n"
         "indicatori_vmax,  1000,  100,  110,  120,  0,  ,  ,  ,  0\n"
         "indicatori_vmax,  2000,  80,  90,  100,  0,  ,  ,  ,  0\n"
         "[fine]\n")},
    ErrorExplanation{
        22,
        {},
        "Stations come in increasing position, with at least 350 m from the end of one station's stretch "
        "to the start of the next one's. An ordinary station's stretch runs half its length on either "
        "side of its position (the end extension flag adds 50 m at its end); kinds 5 to 8 shape it "
        "differently. A station out of order, or too close to the one before, stops the reading of the "
        "train description.",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, VERZANO\n"
         "stazione,    2400, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, CASALFIORE\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,    2000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, VERZANO\n"
         "stazione,    3000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, CASALFIORE\n"
         "[fine]\n")},
    ErrorExplanation{
        24,
        {},
        "A station of a kind below 25 gets a stop cell, the cell before the end of its stretch. When the "
        "stretch ends 100 m or less from the line start, that cell would be cell 1 or cell 0, which "
        "carry the route's marks; the station is refused and the reading of the train description "
        "stops. A station at position 0 needs a length of 400 m or more (its stretch then ends at 200 m "
        "or beyond).",
        train_example(
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,       0, 12,  200,  0, 0, 0,  1,1,0,  4,1,1,    1,   6, 8, 0, ALVERA\n"
         "[fine]\n",
         "[generale]\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[stazioni]\n"
         "stazione,       0, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    1,   6, 8, 0, ALVERA\n"
         "[fine]\n")},
    ErrorExplanation{
        25,
        {},
        "A record could not be read: a value does not fit the field it is read into (a byte column above "
        "255, a 16-bit value outside -32768 to 32767, a number beyond 32 bits, a speed limit above 1275 "
        "km/h), a numeric field holds text, the file ends in the middle of a record, an object would "
        "fall outside the route, or a file cannot be read. The compiler cannot tell what such a record "
        "means, so the reading stops there.\n"
        "In the example the sand quantity is a 16-bit value.",
        train_example(
         "[generale]\n"
         "sabbia,    40000\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[fine]\n",
         "[generale]\n"
         "sabbia,    300\n"
         "velocita,   0,   100\n"
         "aderenza,   0,   100\n"
         "[fine]\n")},
    ErrorExplanation{
        101,
        {},
        "The compiler reads the line description of scenario S from the file S_linea.txt and the train "
        "description of train T from S_T-.txt, both in the same folder. Without the line description "
        "there is no line: nothing is read, no route is made and no file is written.\n"
        "In the example, the wrong form has no line description file at all.",
        missing_line_example(kBaseLine)},
    ErrorExplanation{
        102,
        {},
        "Reading starts after the first field that holds \"[generale]\"; everything before it is ignored "
        "(so a few lines of notes may stand there). A line description without that header holds nothing "
        "the compiler reads: no route is made and no file is written.",
        line_example(
         "lunghezza percorso,    5000\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[fine]\n")},
    ErrorExplanation{
        103,
        {},
        "A curve keyword is \"curva\", the turn (s counter-clockwise, d clockwise) and a radius digit: 1 = "
        "10000 m, 2 = 5000 m, 3 = 2500 m, 4 = 1000 m, 5 = 500 m, 6 = about 333 m. Without a digit the "
        "track plan cannot be drawn, and the reading of the line description stops. The same error stops "
        "a track plan that would run beyond 1,000,000 m.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[curve]\n"
         "curvas,  1000,  400\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[curve]\n"
         "curvas3,  1000,  400\n"
         "[fine]\n")},
    ErrorExplanation{
        1250,
        "an object in route cell 1 fills the place of the route's format mark",
        "Route cell 1 carries the format mark and the integrity code of the route file in its first and "
        "second values (the scenario table's entry 85 does the same for the scenario file). Before "
        "stamping them the compiler checks that both places are still 0. An object that lands in cell 1, "
        "such as a board or a signal less than 25 m from the line start, fills the first value: the "
        "compile stops and no file is written (the one-shot program shows the message \"Errore n. "
        "1250\").\n"
        "Keep every object 25 m or more from the line start.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[cartelli]\n"
         "indicatori_vmax,  0,  100,  110,  120,  0,  ,  ,  ,  0\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[cartelli]\n"
         "indicatori_vmax,  1000,  100,  110,  120,  0,  ,  ,  ,  0\n"
         "[fine]\n")},
    ErrorExplanation{
        1251,
        "an object in route cell 1 fills the place of the route's integrity code",
        "Route cell 1 carries the format mark and the integrity code of the route file in its first and "
        "second values (the scenario table's entry 85 does the same for the scenario file). After "
        "stamping the marks the compiler checks that the places of the codes are still 0. An object "
        "that lands in cell 1 with a first value of 0 and a second value that is not, such as "
        "maximum-speed boards less than 25 m from the line start whose first speed is 0, passes the "
        "first check and stops here: no file is written (the one-shot program shows the message "
        "\"Errore n. 1251\").\n"
        "Keep every object 25 m or more from the line start.",
        line_example(
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[cartelli]\n"
         "indicatori_vmax,  0,  0,  110,  120,  0,  ,  ,  ,  0\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[cartelli]\n"
         "indicatori_vmax,  1000,  0,  110,  120,  0,  ,  ,  ,  0\n"
         "[fine]\n")},
};

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

}  // namespace

std::span<const ErrorExplanation> error_explanations() { return kExplanations; }

const ErrorExplanation* find_explanation(std::int32_t kind) {
  for (const ErrorExplanation& explanation : kExplanations) {
    if (explanation.kind == kind) return &explanation;
  }
  return nullptr;
}

std::string_view example_base_line() { return kBaseLine; }
std::string_view example_base_train() { return kBaseTrain; }

ExampleTexts example_texts(const ErrorExplanation& explanation, bool wrong) {
  const ErrorExample& example = explanation.example;
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

std::string explain_hint(std::int32_t kind) {
  if (kind == 0 || !find_explanation(kind)) return {};
  return " (scenario_tool explain " + std::to_string(kind) + ")";
}

std::string format_explanation(const ErrorExplanation& explanation) {
  constexpr std::size_t kWidth = 76;
  const std::string_view meaning = error_meaning(explanation.kind);
  std::string out = "error " + std::to_string(explanation.kind) + ": " +
                    std::string(meaning.empty() ? explanation.title : meaning) + "\n";
  std::string_view text = explanation.text;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    out += '\n' + wrapped(text.substr(0, end), kWidth) + '\n';
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  const ErrorExample& example = explanation.example;
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

}  // namespace compiler
