#include "scenario/embedded_scenario.h"

#include "scenario/documents.h"
#include "scenario/line_description.h"
#include "scenario/train_description.h"

namespace scenario {

void write_texts(const std::string& folder, const std::string& scenario_id, const std::string& train_id) {
  dati_linea(folder, scenario_id);
  dati_treno(folder, scenario_id, train_id);
  dati_note(folder, scenario_id, train_id);
  dati_rallentamenti(folder, scenario_id, train_id);
  dati_scheda(folder, scenario_id, train_id);
}

}  // namespace scenario
