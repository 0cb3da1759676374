#include "compiler/line_parser.h"

#include "compiler/text.h"

namespace compiler {

HalfOutcome LineParser::run() {
  model_.scenario_table[kScenarioHeaderEntry].text = model_.scenario_id;
  model_.scenario_table[kTrainIdEntry].text = model_.train_id;
  if (!file_.exists()) {
    model_.error_code = 101;
    return HalfOutcome::kEndCall;
  }
  file_.open();
  FieldReader& reader = file_.reader();
  for (;;) {
    if (reader.at_end()) {
      file_.close_and_delete();
      model_.error_code = 102;
      return HalfOutcome::kEndCall;
    }
    model_.field_text = reader.read_text();
    if (contains_ignoring_case(model_.field_text, "[generale]")) break;
  }
  // The general section and the record loop are not read yet.
  file_.close_and_delete();
  return HalfOutcome::kGoOn;
}

void LineParser::progressive_ordina() {}

void LineParser::memo_montagna(std::int32_t&, std::int32_t&, std::int32_t&) {}

void LineParser::memo_indicatori_v_max(std::int32_t, std::int32_t&, std::int32_t&, std::int32_t&,
                                       std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&,
                                       std::int32_t&) {}

}  // namespace compiler
