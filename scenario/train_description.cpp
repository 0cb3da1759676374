#include "scenario/train_description.h"

#include "driver/file_names.h"

namespace scenario {
namespace {

constexpr std::string_view kLines[] = {
    kEndMarker,
};

}  // namespace

LineTable train_description_lines() { return kLines; }

void dati_treno(const std::string& folder, const std::string& scenario_id, const std::string& train_id) {
  write_document(folder, driver::train_description_name(scenario_id, train_id), train_description_lines());
}

}  // namespace scenario
