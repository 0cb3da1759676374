#include "scenario/documents.h"

#include "driver/file_names.h"

namespace scenario {
namespace {

constexpr std::string_view kNotes[] = {
    kEndMarker,
};

constexpr std::string_view kSlowdownOrder[] = {
    kEndMarker,
};

constexpr std::string_view kTimetableSheet[] = {
    kEndMarker,
};

}  // namespace

LineTable notes_lines() { return kNotes; }
LineTable slowdown_order_lines() { return kSlowdownOrder; }
LineTable timetable_sheet_lines() { return kTimetableSheet; }

void dati_note(const std::string& folder, const std::string& scenario_id, const std::string& train_id) {
  write_document(folder, driver::notes_name(scenario_id, train_id), notes_lines());
}
void dati_rallentamenti(const std::string& folder, const std::string& scenario_id, const std::string& train_id) {
  write_document(folder, driver::slowdown_order_name(scenario_id, train_id), slowdown_order_lines());
}
void dati_scheda(const std::string& folder, const std::string& scenario_id, const std::string& train_id) {
  write_document(folder, driver::timetable_sheet_name(scenario_id, train_id), timetable_sheet_lines());
}

}  // namespace scenario
