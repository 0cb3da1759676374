#include "reading/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace compiler {
namespace {

// A field to read and what it must give: a text, or a number of a width.
enum class Read { kText, kInt32, kInt16, kByte };
struct Step {
  Read read;
  std::string text;
  std::int64_t number = 0;
};

Step text(std::string expected) { return {Read::kText, std::move(expected), 0}; }
Step int32(std::int64_t expected) { return {Read::kInt32, {}, expected}; }
Step int16(std::int64_t expected) { return {Read::kInt16, {}, expected}; }
Step byte(std::int64_t expected) { return {Read::kByte, {}, expected}; }

struct ReadCase {
  const char* name;
  std::string input;
  std::vector<Step> steps;
  bool at_end_afterwards;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class FieldReaderReads : public testing::TestWithParam<ReadCase> {};

TEST_P(FieldReaderReads, GivesEachFieldInTurn) {
  const ReadCase& c = GetParam();
  FieldReader reader(c.input);
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const Step& step = c.steps[i];
    SCOPED_TRACE("field " + std::to_string(i));
    switch (step.read) {
      case Read::kText: EXPECT_EQ(reader.read_text(), step.text); break;
      case Read::kInt32: EXPECT_EQ(reader.read_int32(), step.number); break;
      case Read::kInt16: EXPECT_EQ(reader.read_int16(), step.number); break;
      case Read::kByte: EXPECT_EQ(reader.read_byte(), step.number); break;
    }
  }
  EXPECT_EQ(reader.at_end(), c.at_end_afterwards);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FieldReaderReads,
    testing::Values(
        ReadCase{"HeaderLineIsOneTextField", "[generale]\r\nlunghezza percorso,    97000\r\n",
                 {text("[generale]"), text("lunghezza percorso"), int32(97000)}, true},
        ReadCase{"ClockNumbersSeparatedByBlanksOnly", "orologio,    6               42            40 \r\n[aderenze]\r\n",
                 {text("orologio"), int16(6), int16(42), int16(40), text("[aderenze]")}, true},
        ReadCase{"EmptyNumericFieldsReadZero", "indicatori_vmax,  1000,  105,  ,  ,  0\r\n",
                 {text("indicatori_vmax"), int32(1000), int32(105), int32(0), int32(0), int32(0)}, true},
        ReadCase{"NegativeValueIsANumberNotAKeyword", "pendenza,  51400,   -1\r\n",
                 {text("pendenza"), int32(51400), int32(-1)}, true},
        ReadCase{"PlusSignAccepted", "x, +12\r\n", {text("x"), int32(12)}, true},
        ReadCase{"TextKeepsInnerAndTrailingBlanks", "cartello_indicatore,  37200,   (GALLERIA )(NOME)  \r\nnext\r\n",
                 {text("cartello_indicatore"), int32(37200), text("(GALLERIA )(NOME)  "), text("next")}, true},
        ReadCase{"QuotedFieldRunsToClosingQuote", "\"a, b\" dropped, c\r\n", {text("a, b"), text("c")}, true},
        ReadCase{"UnclosedQuoteRunsToTheEnd", "\"a, b\r\nc", {text("a, b\r\nc")}, true},
        ReadCase{"LoneLineFeedEndsALine", "a\nb,  7\nc\n", {text("a"), text("b"), int32(7), text("c")}, true},
        ReadCase{"LoneCarriageReturnEndsALine", "a\rb,  7\rc\r", {text("a"), text("b"), int32(7), text("c")}, true},
        ReadCase{"NumberAtEndOfFileWithoutLineEnd", "a, 5", {text("a"), int32(5)}, true},
        ReadCase{"BlankLinesAndBlanksAtTheEndCountAsEnd", "a\r\n  \r\n\t\r\n", {text("a")}, true},
        ReadCase{"SomethingLeftIsNotTheEnd", "a\r\nb", {text("a")}, false},
        ReadCase{"WidestValuesOfEachWidth", "2147483647, -2147483648, 32767, -32768, 255, 0\r\n",
                 {int32(2147483647), int32(-2147483648LL), int16(32767), int16(-32768), byte(255), byte(0)}, true}),
    [](const testing::TestParamInfo<ReadCase>& p) { return std::string(p.param.name); });

struct FailureCase {
  const char* name;
  std::string input;
  Read read;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class FieldReaderFails : public testing::TestWithParam<FailureCase> {};

TEST_P(FieldReaderFails, ThrowsReadingFailure) {
  const FailureCase& c = GetParam();
  FieldReader reader(c.input);
  switch (c.read) {
    case Read::kText: EXPECT_THROW(reader.read_text(), ReadingFailure); break;
    case Read::kInt32: EXPECT_THROW(reader.read_int32(), ReadingFailure); break;
    case Read::kInt16: EXPECT_THROW(reader.read_int16(), ReadingFailure); break;
    case Read::kByte: EXPECT_THROW(reader.read_byte(), ReadingFailure); break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FieldReaderFails,
    testing::Values(FailureCase{"TextPastTheEnd", "  \r\n ", Read::kText},
                    FailureCase{"NumberPastTheEnd", "", Read::kInt32},
                    FailureCase{"Letters", "abc, 1", Read::kInt32},
                    FailureCase{"DigitsThenLetters", "12ab, 1", Read::kInt32},
                    FailureCase{"DecimalPoint", "1.5, 1", Read::kInt32},
                    FailureCase{"LoneSign", "-, 1", Read::kInt32},
                    FailureCase{"Int32Overflow", "2147483648", Read::kInt32},
                    FailureCase{"Int32Underflow", "-2147483649", Read::kInt32},
                    FailureCase{"Int16Overflow", "32768", Read::kInt16},
                    FailureCase{"ByteNegative", "-1", Read::kByte},
                    FailureCase{"ByteOverflow", "256", Read::kByte},
                    FailureCase{"FortyDigits", "1234567890123456789012345678901234567890", Read::kInt32}),
    [](const testing::TestParamInfo<FailureCase>& p) { return std::string(p.param.name); });

TEST(FieldReader, FieldStartPointsAfterSkippedBlanks) {
  FieldReader reader("a,\r\n   segnale, 1");
  reader.read_text();
  reader.read_text();
  EXPECT_EQ(reader.field_start(), 7u);
}

}  // namespace
}  // namespace compiler
