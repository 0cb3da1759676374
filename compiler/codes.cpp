#include "compiler/codes.h"

#include "reading/text.h"

namespace compiler {
std::string code_text(std::string_view train_text, std::string_view scenario_text) {
  std::string text;
  text.reserve(train_text.size() + scenario_text.size() + kCodeFill.size());
  text += train_text;
  text += scenario_text;
  text = to_lower_1252(text);
  text += kCodeFill;
  text.resize(kCodeTextLength);
  return text;
}

std::int32_t table_code(std::string_view train_text, std::string_view scenario_text) {
  const std::string text = code_text(train_text, scenario_text);
  std::int32_t sum = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    sum += static_cast<std::int32_t>(i + 1) * static_cast<unsigned char>(text[i]);
  }
  return sum;
}

std::int16_t route_code(std::string_view train_text, std::string_view scenario_text) {
  const std::string text = code_text(train_text, scenario_text);
  std::int32_t sum = 0;
  for (unsigned char byte : text) sum += byte;
  return static_cast<std::int16_t>(sum);
}

std::int32_t codice_gara_st(const CompiledModel& model) {
  return table_code(model.scenario_table[kTrainIdEntry].text, model.scenario_table[kScenarioHeaderEntry].text);
}

std::int16_t codice_gara_og(const CompiledModel& model) {
  return route_code(model.scenario_table[kTrainIdEntry].text, model.scenario_table[kScenarioHeaderEntry].text);
}

}  // namespace compiler
