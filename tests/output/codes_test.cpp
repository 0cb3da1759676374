// The integrity codes: the 25-byte code text and the two sums over it.

#include "compiler/codes.h"

#include <gtest/gtest.h>

#include <string>

namespace compiler {
namespace {

CompiledModel model_with(const std::string& train_text, const std::string& scenario_text) {
  CompiledModel model;
  model.scenario_table[kTrainIdEntry].text = train_text;
  model.scenario_table[kScenarioHeaderEntry].text = scenario_text;
  return model;
}

struct CodeCase {
  const char* name;
  std::string train_text;
  std::string scenario_text;
  std::string code_text;
  std::int32_t table_code;
  std::int16_t route_code;
};

// Expected sums were worked out apart from the code under test.
const CodeCase kCodeCases[] = {
    {"embedded", "2734-2", "Alvera_Monteluce", "2734-2alvera_montelucekkm", 33502, 2328},
    {"both_empty", "", "", "kkmmppqqrrssttuuvvwwxxyyz", 38249, 2884},
    {"exchanged", "Alvera_Monteluce", "2734-2", "alvera_monteluce2734-2kkm", 28138, 2328},
    // 26 characters in the train identifier alone: the scenario's never count.
    {"long_train_id", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "x", "abcdefghijklmnopqrstuvwxy", 36725, 2725},
    {"exactly_25_then_more", "abcdefghijklmnopqrstuvwxy", "tail", "abcdefghijklmnopqrstuvwxy", 36725, 2725},
    // Bytes above 127 count as 128 .. 255, never as negative numbers.
    {"largest_bytes", std::string(25, '\xFF'), "", std::string(25, '\xFF'), 82875, 6375},
    // Windows-1252 capitals fold (C0 -> E0, 8A -> 9A, 9F -> FF, DE -> FE);
    // the multiplication sign D7 is not a letter and stays.
    {"windows_1252_capitals", "\xC0\xD7\x8A\x9F", "\xDE", "\xE0\xD7\x9A\xFF\xFEkkmmppqqrrssttuuvvww", 39158, 3382},
};

void PrintTo(const CodeCase& c, std::ostream* os) { *os << c.name; }

class CodeTest : public testing::TestWithParam<CodeCase> {};

TEST_P(CodeTest, TextAndSums) {
  const CodeCase& c = GetParam();
  EXPECT_EQ(code_text(c.train_text, c.scenario_text), c.code_text);
  const CompiledModel model = model_with(c.train_text, c.scenario_text);
  EXPECT_EQ(codice_gara_st(model), c.table_code);
  EXPECT_EQ(codice_gara_og(model), c.route_code);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodeTest, testing::ValuesIn(kCodeCases),
                         [](const testing::TestParamInfo<CodeCase>& param_info) { return std::string(param_info.param.name); });

TEST(CodeTest, LetterCaseDoesNotChangeTheCodes) {
  const CompiledModel lower = model_with("2734-2", "alvera_monteluce");
  const CompiledModel upper = model_with("2734-2", "ALVERA_MONTELUCE");
  EXPECT_EQ(codice_gara_st(lower), codice_gara_st(upper));
  EXPECT_EQ(codice_gara_og(lower), codice_gara_og(upper));
}

TEST(CodeTest, ExchangingTheIdentifiersMovesOnlyTheWeightedCode) {
  const CompiledModel straight = model_with("2734-2", "Alvera_Monteluce");
  const CompiledModel exchanged = model_with("Alvera_Monteluce", "2734-2");
  EXPECT_EQ(codice_gara_og(straight), codice_gara_og(exchanged));
  EXPECT_NE(codice_gara_st(straight), codice_gara_st(exchanged));
}

TEST(CodeTest, ReadsTheTableEntriesNotTheIdentifierMembers) {
  CompiledModel model = model_with("2734-2", "Alvera_Monteluce");
  model.train_id = "other";
  model.scenario_id = "names";
  EXPECT_EQ(codice_gara_st(model), 33502);
  EXPECT_EQ(codice_gara_og(model), 2328);
}

}  // namespace
}  // namespace compiler
