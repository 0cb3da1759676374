#include "reading/records.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "reading/text.h"

namespace compiler {
namespace {

using enum FieldType;
using enum RecordGroup;

// Bounds that hold any value a field can be read with.
constexpr std::int64_t kAnyValue = std::numeric_limits<std::int64_t>::min() / 2;

constexpr FieldSpec kLengthFields[] = {
    {"length", kInt32, "m", "0 to 1000000", "length of the line from its start"},
};
constexpr FieldSpec kChainageFields[] = {
    {"position", kInt32, "m", "a multiple of 50", "where on the line the chainage value holds"},
    {"value", kInt32, "m", "a multiple of 50", "the chainage (kilometre-post reading) at that position"},
    {"flag", kInt32, "", "0 or 1", "1 adds 100 m to the value", {true, 0, 1}},
};
constexpr FieldSpec kSelectorFields[] = {
    {"selector", kInt32, "", "whole number", "the simulator's background number, stored unchanged"},
};
constexpr FieldSpec kRepetitionFields[] = {
    {"start", kInt32, "m", "a multiple of 50", "where the repetition begins"},
    {"end", kInt32, "m", "a multiple of 50; 0 for none", "where the repetition ends"},
};
constexpr FieldSpec kGradientFields[] = {
    {"position", kInt32, "m", "0 up to the route's end, increasing", "where the gradient begins"},
    {"gradient", kInt32, "per mille", "-100 to 155", "the gradient, rising above 0, falling below",
     {true, -100, 155, 1, true}},
};
constexpr FieldSpec kCurveFields[] = {
    {"start", kInt32, "m", "0 up to the route's end, after the previous curve's end", "where the curve begins"},
    {"length", kInt32, "m", "1 or more", "length of the curve"},
};
constexpr FieldSpec kMountainFields[] = {
    {"start", kInt32, "m", "0 up to the route's end", "where the tunnel begins"},
    {"end", kInt32, "m", "above start", "where the tunnel ends"},
    {"type", kInt32, "", "1 to 3, or 11 to 13",
     "the tunnel's type for the simulator; 10 more asks for tunnel markers"},
};
constexpr FieldSpec kSpeedBoardFields[] = {
    {"position", kInt32, "m", "0 up to the route's end", "where the boards stand"},
    {"vas", kInt32, "km/h", "0 to 1630, a multiple of 5", "first speed of the s board"},
    {"vbs", kInt32, "km/h", "0 to 1630, a multiple of 5", "second speed of the s board"},
    {"vcs", kInt32, "km/h", "0 to 1630, a multiple of 5", "third speed of the s board"},
    {"strisces", kInt32, "", "0 to 9", "stripes on the s board", {true, 0, 9}},
    {"vad", kInt32, "km/h", "0 to 495, a multiple of 5; empty for none", "first speed of the d board"},
    {"vbd", kInt32, "km/h", "0 to 495, a multiple of 5; empty for none", "second speed of the d board"},
    {"vcd", kInt32, "km/h", "0 to 495, a multiple of 5; empty for none", "third speed of the d board"},
    {"strisced", kInt32, "", "0 to 9", "stripes on the d board", {true, 0, 9}},
};
constexpr FieldSpec kIndicationFields[] = {
    {"position", kInt32, "m", "0 up to the route's end", "where the board stands"},
    {"text", kText, "", "text to the line end, no comma",
     "the inscription: groups in parentheses, a kind word (GALLERIA, VIADOTTO), the name, for a tunnel its "
     "kilometre post"},
};

constexpr FieldSpec kPercentageFields[] = {
    {"percentage", kInt32, "%", "whole number", "braked mass as a percentage of the train's mass"},
};
constexpr FieldSpec kCarsFields[] = {
    {"cars", kInt32, "", "whole number", "number of cars in the train"},
};
constexpr FieldSpec kSpeedFields[] = {
    {"position", kInt32, "m", "0 up to the route's end, increasing", "where the limit begins"},
    // The compile refuses a speed that its byte cannot hold: only the step is
    // left to the warnings.
    {"speed", kInt32, "km/h", "0 to 1275, a multiple of 5", "the speed limit", {true, kAnyValue, -kAnyValue, 5}},
};
constexpr FieldSpec kAdhesionFields[] = {
    {"position", kInt32, "m", "0 up to the route's end, increasing", "where the adhesion value begins"},
    {"adhesion", kInt32, "", "0 to 255", "the adhesion value the simulator uses (100 in the embedded scenario)",
     {true, 0, 255, 1, true}},
};
constexpr FieldSpec kClockFields[] = {
    {"hours", kInt16, "h", "0 to 23", "hour of the starting time", {true, 0, 23}},
    {"minutes", kInt16, "min", "0 to 59", "minutes of the starting time", {true, 0, 59}},
    {"seconds", kInt16, "s", "0 to 59", "seconds of the starting time", {true, 0, 59}},
};
constexpr FieldSpec kSandFields[] = {
    {"sand", kInt16, "", "-32768 to 32767", "quantity of sand the train carries"},
};
constexpr FieldSpec kSignalFields[] = {
    {"position", kInt32, "m", "325 up to the route's end", "where the signal stands"},
    {"sx", kInt32, "", "0 to 2", "kind of the left light group", {true, 0, 2}},
    {"s1", kInt32, "", "0 to 9", "first value of the left group", {true, 0, 9}},
    {"s2", kInt32, "", "0 to 9", "second value of the left group", {true, 0, 9}},
    {"s3", kInt32, "", "0 to 9", "third value of the left group", {true, 0, 9}},
    {"rapp", kInt32, "", "0 to 9", "tens digit of the signal's combined kind", {true, 0, 9}},
    {"dx", kInt32, "", "0 to 2", "kind of the right light group", {true, 0, 2}},
    {"d1", kInt32, "", "0 to 9", "first value of the right group", {true, 0, 9}},
    {"d2", kInt32, "", "0 to 9", "second value of the right group", {true, 0, 9}},
    {"d3", kInt32, "", "0 to 9", "third value of the right group", {true, 0, 9}},
    {"tempo", kInt32, "", "0, or 101 to 255", "a time kept only when sx is 2; 1 to 100 is raised to 101"},
};
constexpr FieldSpec kSlowdownFields[] = {
    {"start", kInt32, "m", "0 up to the route's end", "where the slowdown begins"},
    {"speed", kInt32, "km/h", "0 to 1275, a multiple of 5 (stored in 16 bits as written)",
     "the speed over the slowdown", {true, 0, 1275, 5, false, true}},
    {"length", kInt32, "m", "1 or more", "length of the slowdown"},
    {"f_tt", kInt32, "", "-32768 to 32767", "a value stored with the start and the end"},
    {"f_ta", kInt32, "", "0 or 1", "not 0: four approach boards before the warning board", {true, 0, 1}},
    {"d_v", kInt32, "", "-32768 to 32767; 0 for none", "a second value stored with every board of the slowdown"},
};
constexpr FieldSpec kLoweringFields[] = {
    {"position", kInt32, "m", "0 up to the route's end", "where the lowering point stands"},
    {"value", kInt32, "", "-32768 to 32767",
     "above 0: the lowering value (the automatic points use 180); 0 or less: a record without a value"},
};
constexpr FieldSpec kStationFields[] = {
    {"position", kInt32, "m", "a multiple of 50, increasing", "position of the station"},
    {"kind", kByte, "", "0 to 255",
     "station kind: 5 and 6, 7 and 8, the others below 25, and 25 and above are laid out differently"},
    {"length", kInt32, "m", "a multiple of 100", "length of the station; shapes its stretch, not stored"},
    {"flag", kByte, "", "0 to 255", "flag byte, stored unchanged"},
    {"byte4", kByte, "", "0 to 255",
     "stored unchanged; cleared when the length is below 600 m and for the first station"},
    {"extension", kByte, "", "0 to 255",
     "not 0: the stretch ends 50 m further; cleared for kinds 5 to 8 and for the first station"},
    {"word1", kInt16, "", "-32768 to 32767", "stored unchanged"},
    {"word2", kInt16, "", "-32768 to 32767", "stored unchanged"},
    {"byte1", kByte, "", "0 to 255", "stored unchanged"},
    {"word3", kInt16, "", "-32768 to 32767", "stored unchanged"},
    {"word4", kInt16, "", "-32768 to 32767", "stored unchanged"},
    {"word5", kInt16, "", "-32768 to 32767", "stored unchanged"},
    {"byte2", kByte, "", "0 to 255", "stored unchanged"},
    {"hours", kInt32, "h", "0 to 23", "hour of the station's time of day", {true, 0, 23}},
    {"minutes", kInt32, "min", "0 to 59", "minutes of the time", {true, 0, 59}},
    {"seconds", kInt32, "s", "0 to 59", "seconds of the time", {true, 0, 59}},
    {"name", kText, "", "text to the line end, no comma", "the station's name"},
};

constexpr ErrorKind kReadOnly[] = {ErrorKind::kReadingFailure};
constexpr ErrorKind kLengthErrors[] = {ErrorKind::kLineTooLong, ErrorKind::kReadingFailure};
constexpr ErrorKind kChainageErrors[] = {ErrorKind::kChainageOffGrid, ErrorKind::kReadingFailure};
constexpr ErrorKind kRepetitionErrors[] = {ErrorKind::kRepetitionStartOffGrid, ErrorKind::kRepetitionEndOffGrid,
    ErrorKind::kRepetitionWithoutKind, ErrorKind::kReadingFailure};
constexpr ErrorKind kPlacedErrors[] = {ErrorKind::kBeyondRoute, ErrorKind::kReadingFailure};
constexpr ErrorKind kCurveErrors[] = {ErrorKind::kBeyondRoute, ErrorKind::kCurveOrPlanBeyond,
    ErrorKind::kReadingFailure};
constexpr ErrorKind kSpeedBoardErrors[] = {ErrorKind::kBeyondRoute, ErrorKind::kSpeedBoardsCellTaken,
    ErrorKind::kReadingFailure};
constexpr ErrorKind kIndicationErrors[] = {ErrorKind::kBeyondRoute, ErrorKind::kIndicationBoardCellTaken,
    ErrorKind::kReadingFailure};
constexpr ErrorKind kSignalErrors[] = {ErrorKind::kBeyondRoute, ErrorKind::kSignalCellTaken,
    ErrorKind::kReadingFailure};
constexpr ErrorKind kSlowdownErrors[] = {ErrorKind::kBeyondRoute, ErrorKind::kWarningBoardCellTaken,
    ErrorKind::kSlowdownStartCellTaken, ErrorKind::kSlowdownEndCellTaken, ErrorKind::kApproachBoardCellTaken,
    ErrorKind::kNoRoomInSlowdown, ErrorKind::kNoRoomInLookBack, ErrorKind::kNoRoomBeforeWarning,
    ErrorKind::kReadingFailure};
constexpr ErrorKind kLoweringErrors[] = {ErrorKind::kBeyondRoute, ErrorKind::kLoweringCellTaken,
    ErrorKind::kReadingFailure};
constexpr ErrorKind kStationErrors[] = {ErrorKind::kBeyondRoute, ErrorKind::kStationOffGrid,
    ErrorKind::kStationLengthOffGrid, ErrorKind::kStopCellTooEarly, ErrorKind::kStationTooClose,
    ErrorKind::kTooManyStations, ErrorKind::kReadingFailure};

constexpr RecordSpec kSpecs[] = {
    {RecordId::kLineLength, kLineGeneral, "lunghezza percorso", "[generale]", {"percorso", "lunghezza"}, false,
     kLengthFields, kLengthErrors,
     "line length",
     "The length of the line in metres. It sizes the route, so it comes first, before any record with a "
     "position.",
     "lunghezza percorso,    97000",
     "Sizes the route: cells 0 to (length + 7000)/50, one per 50 m, so the line has 7000 m of run-out "
     "beyond its end; with the track plan, one plan point per metre. Stores the length in the scenario "
     "table's entry 84. A second length record sizes the route afresh and loses what was written before "
     "it."},
    {RecordId::kChainageTre, kLineGeneral, "progressiva chilometrica tre", "[generale]", {"tre", "progressiva"}, true,
     kChainageFields, kChainageErrors,
     "kilometric chainage three",
     "One of the three kilometric chainage records: a position on the line and the chainage value there, "
     "both in metres. The simulator shows the kilometre posts from them; the compiler orders and stores "
     "them.",
     "progressiva chilometrica tre,    0,    0,    0",
     "Stores the three records in the scenario table's entries 81 to 83 in order of position, largest "
     "first; when two share the largest position all three are cleared, and when the three positions add "
     "up to 0 a record with a positive value leads instead. A flag of 1 adds 100 to the stored value. Once "
     "the train description has been read, every position and value must be a multiple of 50 (error 2)."},
    {RecordId::kChainageDue, kLineGeneral, "progressiva chilometrica due", "[generale]", {"due", "progressiva"}, true,
     kChainageFields, kChainageErrors,
     "kilometric chainage two",
     "One of the three kilometric chainage records: a position on the line and the chainage value there, "
     "both in metres. The simulator shows the kilometre posts from them; the compiler orders and stores "
     "them.",
     "progressiva chilometrica due,    0,    0,    0",
     "Stores the three records in the scenario table's entries 81 to 83 in order of position, largest "
     "first; when two share the largest position all three are cleared, and when the three positions add "
     "up to 0 a record with a positive value leads instead. A flag of 1 adds 100 to the stored value. Once "
     "the train description has been read, every position and value must be a multiple of 50 (error 2)."},
    {RecordId::kChainageUno, kLineGeneral, "progressiva chilometrica uno", "[generale]", {"uno", "progressiva"}, true,
     kChainageFields, kChainageErrors,
     "kilometric chainage one",
     "One of the three kilometric chainage records: a position on the line and the chainage value there, "
     "both in metres. The simulator shows the kilometre posts from them; the compiler orders and stores "
     "them.",
     "progressiva chilometrica uno,    0,    0,    0",
     "Stores the three records in the scenario table's entries 81 to 83 in order of position, largest "
     "first; when two share the largest position all three are cleared, and when the three positions add "
     "up to 0 a record with a positive value leads instead. A flag of 1 adds 100 to the stored value. Once "
     "the train description has been read, every position and value must be a multiple of 50 (error 2)."},
    {RecordId::kBackgroundUno, kLineGeneral, "sfondo uno", "[generale]", {"sfondo", "uno"}, true, kSelectorFields,
     kReadOnly,
     "background one",
     "A background selector for the simulator's scenery; the compiler stores it unchanged.",
     "sfondo uno,    0",
     "Stores the selector in the scenario table's entry 85: `sfondo uno` in its first value, `sfondo tre` "
     "in its second and `sfondo due` in its third."},
    {RecordId::kBackgroundDue, kLineGeneral, "sfondo due", "[generale]", {"sfondo", "due"}, true, kSelectorFields,
     kReadOnly,
     "background two",
     "A background selector for the simulator's scenery; the compiler stores it unchanged.",
     "sfondo due,    1",
     "Stores the selector in the scenario table's entry 85: `sfondo uno` in its first value, `sfondo tre` "
     "in its second and `sfondo due` in its third."},
    {RecordId::kBackgroundTre, kLineGeneral, "sfondo tre", "[generale]", {"sfondo", "tre"}, true, kSelectorFields,
     kReadOnly,
     "background three",
     "A background selector for the simulator's scenery; the compiler stores it unchanged.",
     "sfondo tre,    0",
     "Stores the selector in the scenario table's entry 85: `sfondo uno` in its first value, `sfondo tre` "
     "in its second and `sfondo due` in its third."},
    {RecordId::kSignalRepetition, kLineGeneral, "ripetizione segnali 4 codici", "[generale]",
     {"segnali", "ripetizione"}, true, kRepetitionFields, kRepetitionErrors,
     "cab-signal repetition",
     "The stretch of line over which the signal aspects are repeated in the cab, and the code system: the "
     "digit in the keyword is 4 for the four-code system or 9 for the nine-code system (`ripetizione "
     "segnali 9 codici`).",
     "ripetizione segnali 4 codici,    1050,    95500",
     "Stores the start, the end and the code system (4 or 9, from the keyword) in the scenario table's "
     "entry 86; an end of 0 stores code 0, no repetition."},

    {RecordId::kGradient, kLineRecords, "pendenza", "[pendenze]", {"pendenza", ""}, false, kGradientFields,
     kPlacedErrors,
     "gradient",
     "One step of the gradient profile: the gradient from this position up to the next gradient record.",
     "pendenza,  18000,   12",
     "Lays the previous gradient into every cell from the last one written up to this record's cell, "
     "position/50 rounded; this record's gradient then holds up to the next record, and the last one runs "
     "on to three cells before the route's end. A record at position 0 sets the gradient the line starts "
     "with. Each cell keeps the gradient plus 100 in one byte."},
    {RecordId::kCurve, kLineRecords, "curva", "[curve]", {"curva", ""}, false, kCurveFields, kCurveErrors,
     "curve",
     "A curve of the track plan. The keyword is `curva`, the turn, `s` to the left (counter-clockwise) or "
     "`d` to the right (clockwise), and the radius digit: 1 = 10000 m, 2 = 5000 m, 3 = 2500 m, 4 = 1000 m, "
     "5 = 500 m, 6 = about 333 m; for example `curvad3`.",
     "curvad1,  6500,  2000",
     "Shapes the track plan only, one point per metre: straight track up to the start, the curve at its "
     "radius over its length, then straight again to the next curve. Curves write no route cell. Without "
     "the track plan (`compile --no-plan`) curve records are not read."},
    {RecordId::kMountain, kLineRecords, "montagna", "[montagne]", {"montagna", ""}, false, kMountainFields,
     kPlacedErrors,
     "tunnel stretch",
     "A stretch of line inside a mountain, in tunnel.",
     "montagna,   72600,  79700,  12",
     "Writes the type into the tunnel byte of every cell from start/50 to end/50 - 1, rounded. With a type "
     "above 10 the type is lowered by 10 and every fourth of those cells gets a tunnel marker where no "
     "object stands yet; a marker gives way to any later object. A stretch that starts 150 m or less after "
     "the previous stretch's end is stored as type 3. At most 80 stretches."},
    {RecordId::kSpeedBoards, kLineRecords, "indicatori_vmax", "[cartelli]", {"indicatori_v", ""}, false,
     kSpeedBoardFields, kSpeedBoardErrors,
     "maximum-speed boards",
     "The maximum-speed boards at one position: the `s` board with three speeds and its stripes, and the "
     "`d` board beside it, whose three speeds may stay empty when there is none.",
     "indicatori_vmax,  54150,  110,  120,  125,  2,  110,  120,  125,  2",
     "Takes the cell position/50 + 1, rounded, which must be free (error 21). Each of the three speed "
     "values of the cell packs the `s` speed times 20 with the matching `d` speed divided by 5, and the "
     "stripes are stored as s times 10 plus d."},
    {RecordId::kIndicationBoard, kLineRecords, "cartello_indicatore", "[indicazioni]", {"indicat", "cartello"}, false,
     kIndicationFields, kIndicationErrors,
     "indication board",
     "A board with an inscription, such as the name of the tunnel or the viaduct ahead.",
     "cartello_indicatore,  2450,   (GALLERIA)(DEL COLLE)(Km 2+500)",
     "Takes the cell position/50 + 1, rounded, which must be free (error 6), and stores the text in the "
     "scenario table. Texts take its entries from 80 downward, one per board, and share the table with the "
     "stations (error 10)."},

    {RecordId::kBrakedMass, kTrain, "percentuale massa frenata", "[generale]", {"frenata", "massa"}, false,
     kPercentageFields, kReadOnly,
     "braked mass",
     "The train's braked mass as a percentage of its mass.",
     "percentuale massa frenata,    125",
     "Stores the percentage in the scenario table's entry 84."},
    {RecordId::kCars, kTrain, "numero vetture", "[generale]", {"vetture", ""}, false, kCarsFields, kReadOnly,
     "number of cars",
     "The number of cars of the train.",
     "numero vetture,    16",
     "Stores the number in the scenario table's entry 84."},
    {RecordId::kSpeedLimit, kTrain, "velocita", "[vel_limite]", {"velocit", ""}, false, kSpeedFields,
     kPlacedErrors,
     "speed limit",
     "One step of the train's speed-limit profile: the limit from this position up to the next speed-limit "
     "record.",
     "velocita,     900,   115",
     "Lays the previous limit, divided by 5 and rounded, into every cell from the last one written up to "
     "this record's cell, position/50 rounded; the last limit runs on to three cells before the route's "
     "end. The profile starts with a record at position 0."},
    {RecordId::kAdhesion, kTrain, "aderenza", "[aderenze]", {"aderenza", ""}, false, kAdhesionFields,
     kPlacedErrors,
     "adhesion",
     "One step of the adhesion profile: the value from this position up to the next adhesion record.",
     "aderenza,   0,    100",
     "Lays the previous value into every cell from the last one written up to this record's cell, "
     "position/50 rounded; the last value runs on to three cells before the route's end. The profile "
     "starts with a record at position 0."},
    {RecordId::kClock, kTrain, "orologio", "[generale]", {"orologio", ""}, false, kClockFields, kReadOnly,
     "starting clock",
     "The time of day at which the run starts. The three numbers may be separated by blanks alone.",
     "orologio,    6  42  40",
     "Stores the hours, minutes and seconds in the scenario table's entry 86."},
    {RecordId::kSand, kTrain, "sabbia", "[generale]", {"sabbia", ""}, false, kSandFields, kReadOnly,
     "sand",
     "The quantity of sand the train carries.",
     "sabbia,    300",
     "Stores the quantity in the scenario table's entry 86."},
    {RecordId::kSignal, kTrain, "segnale", "[segnali]", {"segnale", ""}, false, kSignalFields, kSignalErrors,
     "signal",
     "A signal beside the track, with its left and right light groups as single digits; the compiler packs "
     "the digits and gives them no further meaning.",
     "segnale,    1050,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
     "Takes the cell position/50 + 1, rounded, which must be free (error 16): the values go in packed as s "
     "times 10 plus d, and rapp times 10 plus sx times 3 plus dx. The cells 100, 200, 300 and 400 m before "
     "it are marked as its approach. Later the compiler puts lowering points in front of the signals that "
     "stand within 1000 m before a slowdown's warning board, and in front of the first signal after a "
     "slowdown (errors 11, 13)."},
    {RecordId::kSlowdown, kTrain, "rallentamento", "[rallentamenti]", {"rallentamento", ""}, false,
     kSlowdownFields, kSlowdownErrors,
     "slowdown",
     "A temporary speed restriction over a stretch of line.",
     "rallentamento,    3000,   60,   400,  0,  1,  0",
     "A slowdown more than 1500 m from the line start gets a warning board 1200 m before it, in cell "
     "(start - 1200)/50 + 1 (error 17); its start takes cell start/50 + 1 (error 18) and its end cell "
     "(start + length)/50 + 1 (error 19), all rounded and all checked before anything is written. With "
     "f_ta, four approach boards take the four cells ending at (start - 1200)/50 (error 20). After the "
     "reading the compiler adds lowering points before the start, every 400 m inside a slowdown slower "
     "than 110 km/h, and in front of the next signal (errors 11, 12, 13)."},
    {RecordId::kLowering, kTrain, "abbattimento", "[rallentamenti]", {"abbattimento", ""}, false, kLoweringFields,
     kLoweringErrors,
     "lowering record",
     "A lowering point placed by hand, or a lowering record without a value.",
     "abbattimento,    2000,   180",
     "Takes the cell position/50, rounded (no cell added), which must be free (error 7): a lowering point "
     "with the value when it is above 0, else a lowering record without one."},
    {RecordId::kStation, kTrain, "stazione", "[stazioni]", {"stazione", ""}, false, kStationFields,
     kStationErrors,
     "station",
     "A station or stop, with its stopping data and the time of day at it.",
     "stazione,    2750, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, VERZANO",
     "Fills the next station entry of the scenario table (1, 2, 3, ... in file order), with the time as "
     "seconds since midnight. The station's stretch runs half its length on either side of its position "
     "(kinds 5 and 6: from position - length to position + 150; kinds 7 and 8: from position - length to "
     "position + length). A station of a kind below 25 gets a stop cell, the cell before its stretch's end "
     "(error 24 when that is cell 1 or before), and but for kinds 5 and 6 approach markers in the four "
     "cells before that; kinds 25 and above get no cell. Each stretch must start 350 m or more after the "
     "previous one's end (error 22)."},
};

constexpr std::string_view kLineHeaders[] = {"[generale]", "[curve]",       "[pendenze]", "[montagne]",
                                             "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::string_view kTrainHeaders[] = {"[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
                                              "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};

// The longest field compared with the known words: a longer one is no
// misspelt keyword.
constexpr std::size_t kLongestTyped = 64;
// Edits beyond this make a field another word, not a slip of the keyboard.
constexpr std::size_t kMostEdits = 3;

// A floor under the number of edits from a to b: each byte one holds more
// often than the other needs an edit, and one edit mends at most two such
// bytes (a replacement: one too many of a byte, one too few of another). A
// swap changes no count. Cheap, so that most words are ruled out before the
// table. The counts are left all zero after each call, ready for the next.
class ByteSurplus {
 public:
  std::size_t fewest_edits(std::string_view a, std::string_view b) {
    for (const char byte : a) ++count(byte);
    for (const char byte : b) --count(byte);
    std::size_t unmatched = 0;
    for (const std::string_view text : {a, b}) {
      for (const char byte : text) {
        unmatched += static_cast<std::size_t>(std::abs(count(byte)));
        count(byte) = 0;
      }
    }
    return (unmatched + 1) / 2;
  }

 private:
  int& count(char byte) { return counts_[static_cast<unsigned char>(byte)]; }
  std::array<int, 256> counts_{};
};

// Edits (insert, delete, replace, swap two neighbours) from a to b, or
// kMostEdits + 1 when there are more than kMostEdits. Both are at most
// kLongestTyped bytes long. Only the band of the table within kMostEdits of
// its diagonal is computed: a cell outside it already costs more edits than
// that. The table lives on the stack, as a field that no record matches may
// come on every line of a file.
std::size_t edit_distance(std::string_view a, std::string_view b, ByteSurplus& surplus) {
  constexpr std::size_t kFar = kMostEdits + 1;
  const std::size_t length_gap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
  if (length_gap > kMostEdits || a.size() > kLongestTyped || b.size() > kLongestTyped) return kFar;
  if (surplus.fewest_edits(a, b) > kMostEdits) return kFar;
  std::array<std::array<std::uint8_t, kLongestTyped + 1>, kLongestTyped + 1> d;
  const auto at = [&d](std::size_t i, std::size_t j) -> std::size_t {
    return (i > j ? i - j : j - i) > kMostEdits ? kFar : d[i][j];
  };
  for (std::size_t i = 0; i <= std::min(a.size(), kMostEdits); ++i) d[i][0] = static_cast<std::uint8_t>(i);
  for (std::size_t j = 0; j <= std::min(b.size(), kMostEdits); ++j) d[0][j] = static_cast<std::uint8_t>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    const std::size_t first = i > kMostEdits ? i - kMostEdits : 1;
    const std::size_t last = std::min(b.size(), i + kMostEdits);
    std::size_t row_least = at(i, 0);
    for (std::size_t j = first; j <= last; ++j) {
      std::size_t cell = std::min(at(i - 1, j), at(i, j - 1)) + 1;
      cell = std::min(cell, at(i - 1, j - 1) + (a[i - 1] == b[j - 1] ? 0 : 1));
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) cell = std::min(cell, at(i - 2, j - 2) + 1);
      cell = std::min(cell, kFar);
      d[i][j] = static_cast<std::uint8_t>(cell);
      row_least = std::min(row_least, cell);
    }
    // A row of values all above kMostEdits keeps every later row above it
    // too (the row before is at most one less, and a swap adds one).
    if (row_least > kMostEdits) return kFar;
  }
  return at(a.size(), b.size());
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string_view description_name(Description description) {
  return description == Description::kLine ? "line" : "train";
}

Description description_of(RecordGroup group) {
  return group == RecordGroup::kTrain ? Description::kTrain : Description::kLine;
}

std::span<const RecordSpec> record_specs() { return kSpecs; }

namespace {

std::span<const RecordSpec> find_records_of(RecordGroup group) {
  const auto first = std::find_if(std::begin(kSpecs), std::end(kSpecs),
                                  [group](const RecordSpec& spec) { return spec.group == group; });
  const auto last = std::find_if(first, std::end(kSpecs), [group](const RecordSpec& spec) { return spec.group != group; });
  return {first, last};
}

}  // namespace

// Found once: the parsers ask for their group on every record.
std::span<const RecordSpec> records_of(RecordGroup group) {
  static const std::array<std::span<const RecordSpec>, 3> kGroups = {
      find_records_of(RecordGroup::kLineGeneral), find_records_of(RecordGroup::kLineRecords),
      find_records_of(RecordGroup::kTrain)};
  return kGroups[static_cast<std::size_t>(group)];
}

const RecordSpec& record_spec(RecordId id) {
  return *std::find_if(std::begin(kSpecs), std::end(kSpecs), [id](const RecordSpec& spec) { return spec.id == id; });
}

KeywordField::KeywordField(std::string_view field) : text(field), lower(to_lower_1252(field)) {}

bool keyword_matches(const RecordSpec& spec, const KeywordField& field) {
  const std::string_view searched = spec.cased ? field.text : std::string_view(field.lower);
  for (const std::string_view word : spec.words) {
    if (!word.empty() && !contains(searched, word)) return false;
  }
  return true;
}

std::span<const std::string_view> section_headers(Description description) {
  if (description == Description::kLine) return kLineHeaders;
  return kTrainHeaders;
}

namespace {

// The words a field that no record matched is compared with: the section
// headers when it holds a bracket, else the record keywords of the
// description (a curve keyword carries its side and radius: curvas1 ..
// curvad6). Made once: a file may hold such a field on every line.
std::vector<std::string> make_known_words(Description description, bool headers) {
  std::vector<std::string> known;
  if (headers) {
    for (const std::string_view header : section_headers(description)) known.emplace_back(header);
    return known;
  }
  for (const RecordSpec& spec : kSpecs) {
    if (description_of(spec.group) != description) continue;
    if (spec.id == RecordId::kCurve) {
      for (const char side : {'s', 'd'}) {
        for (char digit = '1'; digit <= '6'; ++digit) known.push_back(std::string("curva") + side + digit);
      }
    } else {
      known.emplace_back(spec.keyword);
    }
  }
  return known;
}

const std::vector<std::string>& known_words(Description description, bool headers) {
  static const std::vector<std::string> words[2][2] = {
      {make_known_words(Description::kLine, false), make_known_words(Description::kLine, true)},
      {make_known_words(Description::kTrain, false), make_known_words(Description::kTrain, true)}};
  return words[description == Description::kLine ? 0 : 1][headers ? 1 : 0];
}

}  // namespace

std::optional<std::string> nearest_known_word(Description description, std::string_view field) {
  const std::string typed = to_lower_1252(trimmed(field));
  // A long field is not a misspelt keyword, and would cost time to compare.
  if (typed.empty() || typed.size() > kLongestTyped) return std::nullopt;
  const bool headers = typed.find('[') != std::string::npos || typed.find(']') != std::string::npos;
  const std::string* best = nullptr;
  std::size_t best_distance = 0;
  ByteSurplus surplus;
  for (const std::string& word : known_words(description, headers)) {
    const std::size_t distance = edit_distance(typed, word, surplus);
    // Near enough to be a slip of the keyboard, not another word.
    if (distance > kMostEdits || distance * 3 > word.size()) continue;
    if (best == nullptr || distance < best_distance) {
      best = &word;
      best_distance = distance;
    }
  }
  if (best == nullptr) return std::nullopt;
  return *best;
}

}  // namespace compiler
