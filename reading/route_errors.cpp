// The error kinds of the route post-pass, blamed on the slowdown record that
// called for the lowering point, each with its meaning and its explanation.

#include "reading/error_rows.h"

namespace compiler {

namespace {

using enum BlamedFile;

// The paragraphs are single lines; format_explanation wraps them.
constexpr std::array kRows = {
    ErrorKindRow{
        ErrorKind::kNoRoomBeforeWarning, kRoute, true,
        "no room for a lowering point in front of a signal before a slowdown warning board",
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
    ErrorKindRow{
        ErrorKind::kNoRoomInLookBack, kRoute, true,
        "no free cell in a look-back group before a slowdown start",
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
    ErrorKindRow{
        ErrorKind::kNoRoomInSlowdown, kRoute, true,
        "no room for a lowering point inside a slowdown or in front of the next signal",
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
};

}  // namespace

std::span<const ErrorKindRow> route_error_rows() { return kRows; }

}  // namespace compiler
