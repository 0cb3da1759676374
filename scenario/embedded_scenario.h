#pragma once
// The scenario built into the program: its identifiers, and the writing of
// its five texts, which the program and scenario_tool sources both do
// through write_texts.

#include <string>

namespace scenario {

// The identifiers of the embedded scenario.
inline constexpr const char* kScenarioId = "Alvera_Monteluce";
inline constexpr const char* kTrainId = "2734-2";

// Writes the five texts into folder under the given identifiers, in the
// program's order: the line description, the train description, the notes,
// the slowdown order and the timetable sheet. Each replaces any earlier file
// as a whole. Throws platform::FileError at the first text that cannot be
// written; the ones before it stay written, the ones after it are not tried.
void write_texts(const std::string& folder, const std::string& scenario_id, const std::string& train_id);

}  // namespace scenario
