#pragma once
// How every file of a run is named from the scenario identifier S and the
// train identifier T, and how the identifiers are read back from a name.
// The folder is joined separately (platform::join_path).

#include <optional>
#include <string>
#include <string_view>

namespace naming {

// What the rule puts after S (or after S, "_" and T) in each name.
inline constexpr std::string_view kLineDescriptionEnd = "_linea.txt";          // S_linea.txt
inline constexpr std::string_view kTrainDescriptionEnd = "-.txt";              // S_T-.txt
inline constexpr std::string_view kNotesEnd = "_note.txt";                     // S_T_note.txt
inline constexpr std::string_view kSlowdownOrderEnd = "_rallentamenti.txt";    // S_T_rallentamenti.txt
inline constexpr std::string_view kTimetableSheetEnd = "_scheda_treno.txt";    // S_T_scheda_treno.txt
inline constexpr std::string_view kLineDataEnd = "_linea.dat";                 // S_linea.dat
inline constexpr std::string_view kScenarioFileEnd = ".sim";                   // S_T.sim
inline constexpr std::string_view kRouteFileEnd = ".dat";                      // S_T.dat
inline constexpr std::string_view kDrawingEnd = ".svg";                        // S_T.svg

inline std::string line_description_name(const std::string& scenario_id) {
  return scenario_id + std::string(kLineDescriptionEnd);
}
inline std::string train_description_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + std::string(kTrainDescriptionEnd);
}
inline std::string notes_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + std::string(kNotesEnd);
}
inline std::string slowdown_order_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + std::string(kSlowdownOrderEnd);
}
inline std::string timetable_sheet_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + std::string(kTimetableSheetEnd);
}
inline std::string line_data_name(const std::string& scenario_id) {
  return scenario_id + std::string(kLineDataEnd);
}
inline std::string scenario_file_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + std::string(kScenarioFileEnd);
}
inline std::string route_file_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + std::string(kRouteFileEnd);
}
// The drawing of a compiled scenario that scenario_tool plot makes.
inline std::string drawing_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + std::string(kDrawingEnd);
}

// The identifiers that the rule gives for a pair of description files, read
// from the file name at the end of each path: LINE is S_linea.txt, TRAIN is
// S_T-.txt for the S of LINE. Nothing when a name does not follow the rule.
std::optional<std::string> scenario_id_from_line_name(std::string_view line_path);
std::optional<std::string> train_id_from_train_name(std::string_view train_path, std::string_view scenario_id);

// The three compiled files.
enum class CompiledFile { kLineData, kScenario, kRoute };

struct CompiledFileName {
  CompiledFile kind;
  // What comes before the ending: S for the line data file, S_T for the
  // other two. S and T may both hold "_", so S_T is not split here; the
  // scenario file holds the two identifiers (entries 85 and 86).
  std::string stem;
};

// Which compiled file the file name at the end of path is, told by how it
// ends: "_linea.dat" the line data file (looked for first, since it also
// ends in ".dat"), ".sim" the scenario file, ".dat" the route file. Nothing
// for any other name.
std::optional<CompiledFileName> compiled_file_name(std::string_view path);

}  // namespace naming

