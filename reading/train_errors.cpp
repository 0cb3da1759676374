// The error kinds blamed on the train description, each with its meaning and its
// explanation: what it means, why the compiler refuses it, and a wrong and a
// corrected description.

#include "reading/error_rows.h"

namespace compiler {

namespace {

using enum BlamedFile;

// The paragraphs are single lines; format_explanation wraps them.
constexpr std::array kRows = {
    ErrorKindRow{
        ErrorKind::kLoweringCellTaken, kTrain, true,
        "the cell of this lowering record is already taken",
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
    ErrorKindRow{
        ErrorKind::kStationOffGrid, kTrain, true,
        "station position is not a multiple of 50",
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
    ErrorKindRow{
        ErrorKind::kStationLengthOffGrid, kTrain, true,
        "station length is not a multiple of 100",
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
    ErrorKindRow{
        ErrorKind::kTooManyStations, kTrain, false,
        "too many stations: they reach the entries of the board texts",
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
    ErrorKindRow{
        ErrorKind::kSignalCellTaken, kTrain, true,
        "the cell of this signal is already taken",
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
    ErrorKindRow{
        ErrorKind::kWarningBoardCellTaken, kTrain, true,
        "the cell of this slowdown's warning board is already taken",
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
    ErrorKindRow{
        ErrorKind::kSlowdownStartCellTaken, kTrain, true,
        "the start cell of this slowdown is already taken",
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
    ErrorKindRow{
        ErrorKind::kSlowdownEndCellTaken, kTrain, true,
        "the end cell of this slowdown is already taken",
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
    ErrorKindRow{
        ErrorKind::kApproachBoardCellTaken, kTrain, true,
        "a cell of this slowdown's approach boards is already taken",
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
    ErrorKindRow{
        ErrorKind::kStationTooClose, kTrain, true,
        "the station starts less than 350 m after the previous one ends",
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
    ErrorKindRow{
        ErrorKind::kStopCellTooEarly, kTrain, false,
        "the station's stop cell would lie in cell 1 or before",
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
    ErrorKindRow{
        ErrorKind::kReadingFailure, kTrain, false,
        "the record cannot be read: a value out of range, a missing field, or a file that cannot be opened",
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
};

}  // namespace

std::span<const ErrorKindRow> train_error_rows() { return kRows; }

}  // namespace compiler
