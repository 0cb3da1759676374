#pragma once
// The last stage of a compile: stamping the marks and codes into the model,
// and the three binary files that carry it to the simulator. The byte
// layouts live in formats/.

#include <optional>
#include <string>

#include "model/model.h"
#include "reading/error_kinds.h"

namespace compiler {

// True when the route has a cell 1 to carry the route's mark and code
// (only a line length far below zero leaves it without one).
inline bool has_mark_cell(const CompiledModel& model) { return model.route.size() >= 2; }

// Stamps, in this order: check kMarkPlaceTaken, table_mark 610 into entry
// 85 and route_mark 5121 into cell 1, check kCodePlaceTaken, table_code,
// route_code. Returns nothing once all are in, or the stamping error that
// stopped it (a route without cell 1 has no place for its mark:
// kMarkPlaceTaken); a stop leaves the files alone.
std::optional<ErrorKind> stamp(CompiledModel& model);

// The prompt of the program's message box for a stamping error: " Errore n. "
// and the kind's number.
std::string errore_prompt(ErrorKind kind);

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
std::optional<ErrorKind> stamp_and_write_output(CompiledModel& model, const std::string& folder);

}  // namespace compiler
