#pragma once
// A diagnostic as one JSON object: the shape `scenario_tool check --format
// json` prints, for every command that hands diagnostics to a program.
//   {"file": FILE, "line": N|null, "column": N|null, "severity": "error" |
//    "warning" | "note", "kind": N|null, "rule": NAME|null, "message": TEXT,
//    "notes": [...]}
// file is as the caller named it; line and column are 1 and 1 for a
// diagnostic about the whole file, null only with no file; kind is the error kind's number (null for
// warnings and notes, and for an error that records no kind); rule is the
// name of a warning's rule (null for errors and notes); notes are
// objects of the same shape. Texts that are not UTF-8 are read as
// Windows-1252, the code page of the description files.

#include <nlohmann/json.hpp>

#include <vector>

#include "reading/diagnostics.h"

namespace tools {

nlohmann::json diagnostic_json(const compiler::Diagnostic& diagnostic);
nlohmann::json diagnostics_json(const std::vector<compiler::Diagnostic>& diagnostics);

}  // namespace tools
