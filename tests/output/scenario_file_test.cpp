// The scenario file: 87 records, each 34 bytes plus its text.

#include "formats/scenario_file.h"

#include <gtest/gtest.h>

#include "tests/output/fixtures.h"

namespace compiler {
namespace {

using output_test::bytes;

ScenarioEntry every_field_set(std::string text) {
  ScenarioEntry entry;
  entry.code = 200;
  entry.value1 = -1;
  entry.value2 = 0x12345678;
  entry.value3 = INT32_MIN;
  entry.flag = 1;
  entry.text = std::move(text);
  entry.word1 = -32768;
  entry.word2 = 32767;
  entry.word3 = 14;
  entry.word4 = -5;
  entry.word5 = 59;
  entry.byte1 = 255;
  entry.byte2 = 2;
  entry.byte3 = 3;
  entry.byte4 = 4;
  entry.seconds = 86399;
  return entry;
}

TEST(ScenarioFileTest, AllEmptyTableIsZeroRecordsOf34Bytes) {
  const std::string file = encode_scenario_file(ScenarioTable{});
  EXPECT_EQ(file, std::string(2958, '\0'));
}

TEST(ScenarioFileTest, EachTextByteAddsOneByte) {
  struct Case {
    int entry;
    std::string text;
  };
  const Case cases[] = {{1, "Alvera"}, {80, "PL"}, {85, "Alvera_Monteluce"}, {86, ""}, {0, std::string(300, 'x')}};
  for (const Case& c : cases) {
    ScenarioTable table{};
    table[static_cast<std::size_t>(c.entry)].text = c.text;
    EXPECT_EQ(encode_scenario_file(table).size(), 2958 + c.text.size()) << "entry " << c.entry;
  }
}

TEST(ScenarioFileTest, FieldsLieInOrderLittleEndian) {
  std::string out;
  append_scenario_entry(out, every_field_set("ab"));
  EXPECT_EQ(out, bytes({200,                                  // code
                        0xFF, 0xFF, 0xFF, 0xFF,               // value1
                        0x78, 0x56, 0x34, 0x12,               // value2
                        0x00, 0x00, 0x00, 0x80,               // value3
                        1,                                    // flag
                        2, 0, 'a', 'b',                       // text
                        0x00, 0x80, 0xFF, 0x7F, 14, 0, 0xFB, 0xFF, 59, 0,  // words
                        255, 2, 3, 4,                         // bytes
                        0x7F, 0x51, 0x01, 0x00}));            // seconds
}

TEST(ScenarioFileTest, EmbeddedRecord85) {
  // Stamped entry 85: value3 1, the scenario identifier, table_mark 610 and
  // table_code 33502 of the embedded identifiers. Entries 0 .. 84 are empty
  // here, so the record starts at 85 * 34.
  CompiledModel model = output_test::embedded_like_model();
  ScenarioEntry& header = model.scenario_table[kScenarioHeaderEntry];
  header.word1 = kTableMark;
  header.seconds = 33502;
  const std::string file = encode_scenario_file(model.scenario_table);
  const std::string record = file.substr(85 * kEntryFixedBytes, 50);
  EXPECT_EQ(record, bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 16, 0}) + "Alvera_Monteluce" +
                        bytes({0x62, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xDE, 0x82, 0, 0}));
  EXPECT_EQ(record.substr(kWord1OffsetAfterText + 16, 2), bytes({0x62, 0x02}));
  EXPECT_EQ(record.substr(kSecondsOffsetAfterText + 16, 4), bytes({0xDE, 0x82, 0, 0}));
  // Record 86 follows at once: the train identifier's text.
  EXPECT_EQ(file.substr(85 * kEntryFixedBytes + 50 + 14, 8), bytes({6, 0}) + "2734-2");
  EXPECT_EQ(file.size(), 2958u + 16 + 6);
}

TEST(ScenarioFileTest, RoundTripKeepsEveryFieldAndTextByte) {
  ScenarioTable table{};
  table[1] = every_field_set("Stazione \xC8 \x80");
  table[2] = every_field_set(std::string("nul\0inside", 10));
  table[80] = every_field_set("");
  table[86] = every_field_set(std::string(kMaxEntryText, '\xFF'));
  const auto decoded = decode_scenario_file(encode_scenario_file(table));
  ASSERT_TRUE(decoded.ok()) << decoded.error;
  EXPECT_EQ(decoded.value, table);
}

TEST(ScenarioFileTest, RefusesEveryTruncation) {
  ScenarioTable table{};
  table[3].text = "abc";
  table[86].text = "2734-2";
  const std::string file = encode_scenario_file(table);
  for (std::size_t size = 0; size < file.size(); ++size) {
    const auto decoded = decode_scenario_file(std::string_view(file).substr(0, size));
    ASSERT_FALSE(decoded.ok()) << "size " << size;
  }
  EXPECT_TRUE(decode_scenario_file(file).ok());
}

TEST(ScenarioFileTest, RefusesBytesAfterTheLastEntry) {
  const auto decoded = decode_scenario_file(encode_scenario_file(ScenarioTable{}) + '\0');
  EXPECT_FALSE(decoded.ok());
  EXPECT_NE(decoded.error.find("after entry 86"), std::string::npos) << decoded.error;
}

TEST(ScenarioFileTest, RefusesATextLengthThatRunsPastTheEnd) {
  std::string file = encode_scenario_file(ScenarioTable{});
  const std::size_t length_at = 86 * kEntryFixedBytes + 14;
  file[length_at] = '\xFF';
  file[length_at + 1] = '\xFF';
  const auto decoded = decode_scenario_file(file);
  EXPECT_FALSE(decoded.ok());
  EXPECT_NE(decoded.error.find("inside entry 86"), std::string::npos) << decoded.error;
}

TEST(ScenarioFileTest, TextTooLongForItsLengthField) {
  ScenarioTable table{};
  EXPECT_EQ(scenario_text_problem(table), "");
  table[7].text = std::string(kMaxEntryText + 1, 'a');
  EXPECT_NE(scenario_text_problem(table).find("entry 7"), std::string::npos);
  // The encoder alone still gives a readable file, the text cut to fit.
  const auto decoded = decode_scenario_file(encode_scenario_file(table));
  ASSERT_TRUE(decoded.ok()) << decoded.error;
  EXPECT_EQ(decoded.value[7].text, std::string(kMaxEntryText, 'a'));
}

}  // namespace
}  // namespace compiler
