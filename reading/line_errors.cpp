// The error kinds blamed on the line description, each with its meaning and its explanation:
// what it means, why the compiler refuses it, and a wrong and a corrected
// description.

#include "reading/error_rows.h"

namespace compiler {

namespace {

using enum BlamedFile;

// The paragraphs are single lines; format_explanation wraps them.
constexpr std::array kRows = {
    ErrorKindRow{
        ErrorKind::kLineTooLong, kLine, false,
        "line length above 1,000,000 m",
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
    ErrorKindRow{
        ErrorKind::kChainageOffGrid, kLine, false,
        "a kilometric chainage start or end is not a multiple of 50",
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
    ErrorKindRow{
        ErrorKind::kRepetitionStartOffGrid, kLine, false,
        "cab-signal repetition start is not a multiple of 50",
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
    ErrorKindRow{
        ErrorKind::kRepetitionEndOffGrid, kLine, false,
        "cab-signal repetition end is not a multiple of 50",
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
    ErrorKindRow{
        ErrorKind::kRepetitionWithoutKind, kLine, false,
        "the cab-signal repetition keyword holds neither 4 nor 9",
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
    ErrorKindRow{
        ErrorKind::kIndicationBoardCellTaken, kLine, true,
        "the cell of this indication board is already taken",
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
    ErrorKindRow{
        ErrorKind::kBeyondRoute, kLine, true,
        "the record lies beyond the end of the route",
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
    ErrorKindRow{
        ErrorKind::kSpeedBoardsCellTaken, kLine, true,
        "the cell of these maximum-speed boards is already taken",
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
    ErrorKindRow{
        ErrorKind::kLineMissing, kLine, false,
        "the line description file does not exist",
        "The compiler reads the line description of scenario S from the file S_linea.txt and the train "
        "description of train T from S_T-.txt, both in the same folder. Without the line description "
        "there is no line: nothing is read, no route is made and no file is written.\n"
        "In the example, the wrong form has no line description file at all.",
        missing_line_example(kBaseLine)},
    ErrorKindRow{
        ErrorKind::kNoGeneralSection, kLine, false,
        "the line description file ends before its [generale] section",
        "Reading starts after the first field that holds \"[generale]\"; everything before it is ignored "
        "(so a few lines of notes may stand there). A line description without that header holds nothing "
        "the compiler reads: no route is made and no file is written.",
        line_example(
         "lunghezza percorso,    5000\n"
         "[fine]\n",
         "[generale]\n"
         "lunghezza percorso,    5000\n"
         "[fine]\n")},
    ErrorKindRow{
        ErrorKind::kCurveOrPlanBeyond, kLine, false,
        "a curve keyword without a digit 1 to 6, or the track plan beyond 1,000,000 m",
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
};

}  // namespace

std::span<const ErrorKindRow> line_error_rows() { return kRows; }

}  // namespace compiler
