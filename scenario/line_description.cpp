#include "scenario/line_description.h"

#include "driver/file_names.h"

namespace scenario {
namespace {

constexpr std::string_view kLines[] = {
    kEndMarker,
};

}  // namespace

LineTable line_description_lines() { return kLines; }

void dati_linea(const std::string& folder, const std::string& scenario_id) {
  write_document(folder, driver::line_description_name(scenario_id), line_description_lines());
}

}  // namespace scenario
