#pragma once
// The embedded train description: the text the train compilation reads back.

#include <string>

#include "scenario/document.h"

namespace scenario {

// The embedded train description as a line table, closed by the end marker.
LineTable train_description_lines();

// Writes the embedded train description to folder/<scenario_id>_<train_id>-.txt.
void dati_treno(const std::string& folder, const std::string& scenario_id, const std::string& train_id);

}  // namespace scenario
