#pragma once
// The embedded line description: the text the line compilation reads back.

#include <string>

#include "scenario/document.h"

namespace scenario {

// The embedded line description as a line table, closed by the end marker.
LineTable line_description_lines();

// Writes the embedded line description to folder/<scenario_id>_linea.txt.
void dati_linea(const std::string& folder, const std::string& scenario_id);

}  // namespace scenario
