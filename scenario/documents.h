#pragma once
// The three papers of the embedded train that nothing reads back: the notes,
// the slowdown order and the timetable sheet.

#include <string>

#include "scenario/document.h"

namespace scenario {

LineTable notes_lines();
LineTable slowdown_order_lines();
LineTable timetable_sheet_lines();

// Each writes its document to folder/<scenario_id>_<train_id>_<kind>.txt.
void dati_note(const std::string& folder, const std::string& scenario_id, const std::string& train_id);
void dati_rallentamenti(const std::string& folder, const std::string& scenario_id, const std::string& train_id);
void dati_scheda(const std::string& folder, const std::string& scenario_id, const std::string& train_id);

}  // namespace scenario
