// The two stamping errors, found just before the files are written (the one-shot
// program shows them in its message box), with their meaning and explanation.

#include "reading/error_rows.h"

namespace compiler {

namespace {

using enum BlamedFile;

// The paragraphs are single lines; format_explanation wraps them.
constexpr std::array kRows = {
    ErrorKindRow{
        ErrorKind::kMarkPlaceTaken, kStamping, false,
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
    ErrorKindRow{
        ErrorKind::kCodePlaceTaken, kStamping, false,
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

}  // namespace

std::span<const ErrorKindRow> stamping_error_rows() { return kRows; }

}  // namespace compiler
