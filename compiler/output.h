#pragma once
// The last stage of a compile: stamping the marks and codes into the model,
// and the three binary files that carry it to the simulator. The byte
// layouts live in line_data_file.h, scenario_file.h and route_file.h.

#include <string>

#include "model/model.h"

namespace compiler {

// What stamp() found. The two numbers are the ones errore shows.
inline constexpr int kStamped = 0;
inline constexpr int kErrore1250 = 1250;  // entry 85 word1 or cell 1 param1 already set
inline constexpr int kErrore1251 = 1251;  // entry 85 seconds or cell 1 param2 already set
// The route is too short to have a cell 1 for the marks (only a line
// length far below zero gives that); nothing can be stamped or written.
inline constexpr int kNoMarkCell = -1;

// Stamps, in this order: check 1250, table_mark 610 into entry 85 and
// route_mark 5121 into cell 1, check 1251, table_code, route_code.
// Returns kStamped or the reason it stopped; a stop leaves the files alone.
int stamp(CompiledModel& model);

// Writes the line data file (only when full_compile != 0), the scenario file
// and the route file into folder as one set (platform::OutputSet): every
// file is written in full before any is renamed into place. A text too long
// for its record is refused before any file is touched. Throws
// platform::FileError naming the file that could not be written, with every
// earlier file as it was; platform::PartialReplacement when renaming stopped
// part-way and the folder holds a mixed set.
void write_output_files(const CompiledModel& model, const std::string& folder);

// stamp() and, only when it succeeds, write_output_files(). Returns what
// stamp() returned; throws what write_output_files() throws.
int stamp_and_write_output(CompiledModel& model, const std::string& folder);

}  // namespace compiler
