#pragma once
// The last stage of a compile: stamping the marks and codes into the model,
// and the three binary files that carry it to the simulator.

#include <string>

#include "compiler/model.h"

namespace compiler {

// Stamps the format marks and integrity codes. Returns 0, or the stamping
// error 1250 or 1251 when a reserved slot was already taken (nothing is
// written then).
int stamp(CompiledModel& model);

// The byte images of the three files.
std::string encode_line_data(const CompiledModel& model);
std::string encode_scenario_file(const CompiledModel& model);
std::string encode_route_file(const CompiledModel& model);

// Writes the line data file (full compile only), the scenario file and the
// route file into folder, each replaced whole. Throws platform::FileError.
void write_output_files(const CompiledModel& model, const std::string& folder);

}  // namespace compiler
