#pragma once
// How every file of a run is named from the scenario and train identifiers.
// The folder is joined separately (platform::join_path).

#include <string>

namespace platform {

inline std::string line_description_name(const std::string& scenario_id) {
  return scenario_id + "_linea.txt";
}
inline std::string train_description_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + "-.txt";
}
inline std::string notes_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + "_" + "note.txt";
}
inline std::string slowdown_order_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + "_" + "rallentamenti.txt";
}
inline std::string timetable_sheet_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + "_" + "scheda_treno.txt";
}
inline std::string line_data_name(const std::string& scenario_id) {
  return scenario_id + "_linea.dat";
}
inline std::string scenario_file_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + ".sim";
}
inline std::string route_file_name(const std::string& scenario_id, const std::string& train_id) {
  return scenario_id + "_" + train_id + ".dat";
}

}  // namespace platform
