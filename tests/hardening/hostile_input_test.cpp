// Hostile and hand-mangled description files: each gets one defined outcome,
// an error kind (or none) and whether a route was compiled, in time and
// memory that grow with the input, never a crash.

#include <gtest/gtest.h>

#include <string>

#include "compiler/compile.h"
#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;

constexpr const char* kPlainTrain = "[generale]\r\nvelocita,   0,    100\r\n[fine]\r\n";

std::string line_of(const std::string& records, int length = 10000) {
  return "[generale]\r\nlunghezza percorso,    " + std::to_string(length) + "\r\n[records]\r\n" + records +
         "[fine]\r\n";
}

std::string repeated(const std::string& text, std::size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

std::string million_gradient_records() {
  std::string records;
  records.reserve(25'000'000);
  for (int p = 0; p < 1'000'000; ++p) records += "pendenza,  " + std::to_string(p) + ",   1\r\n";
  return records;
}

struct HostileCase {
  const char* name;
  std::string line;
  std::string train;
  int expected_kind;
  bool expected_route;
};

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

class HostileInput : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileInput, HasItsDefinedOutcome) {
  const HostileCase& c = GetParam();
  TempDir dir;
  compiler::CompileRequest request;
  request.output_folder = dir.path();
  request.scenario_id = "S";
  request.train_id = "T";
  request.sources = {compiler::in_memory("S_linea.txt", c.line), compiler::in_memory("S_T-.txt", c.train)};
  compiler::CompiledModel model;
  compiler::CompileReport report;
  compiler::compile_model(model, request, &report);
  EXPECT_EQ(model.error_code, c.expected_kind);
  EXPECT_EQ(model.route_sized(), c.expected_route);
  EXPECT_TRUE(report.consumed.line) << "the line description is consumed on every way out";
}

// A record with a NUL byte and other control bytes where a number belongs.
constexpr char kControlBytes[] = "pendenza,\0\x01\x7f, 3\r\n";

const std::string kSignal = "   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n";

INSTANTIATE_TEST_SUITE_P(
    Outcomes, HostileInput,
    testing::Values(
        HostileCase{"TenMegabyteLineWithoutComma", "[generale]\r\n" + std::string(10'000'000, 'a') + "\r\n[fine]\r\n",
                    kPlainTrain, 25, false},
        HostileCase{"MillionRecords", line_of(million_gradient_records(), 1'000'000), kPlainTrain, 25, true},
        HostileCase{"FortyDigitNumber", "[generale]\r\nlunghezza percorso,    " + std::string(40, '9') + "\r\n[fine]\r\n",
                    kPlainTrain, 25, false},
        HostileCase{"NulAndControlBytes", line_of(std::string(kControlBytes, sizeof kControlBytes - 1)), kPlainTrain, 25,
                    true},
        HostileCase{"NoLineEnds", "[generale], lunghezza percorso, 10000, pendenza, 0, 2, [fine]", kPlainTrain, 0,
                    true},
        HostileCase{"MixedCaseAndHyphenatedKeywords",
                    line_of("----\r\n-----\r\nPENDENZA,  0,   2\r\nMontagna,   2000,  2600,  11\r\n"),
                    "[GENERALE]\r\n---\r\nVELOCITA,   0,    100\r\n[fine]\r\n", 0, true},
        HostileCase{"LineLengthMinusOne", line_of("", -1), kPlainTrain, 25, false},
        HostileCase{"LineLengthOverTheLimit", line_of("", 1'000'001), kPlainTrain, 1, false},
        HostileCase{"PositionedRecordBeforeTheLength", "[generale]\r\n[pendenze]\r\npendenza,  0,   2\r\n[fine]\r\n",
                    kPlainTrain, 25, false},
        HostileCase{"StretchAtANegativePosition", line_of("montagna,   -500,  600,  2\r\n"), kPlainTrain, 25, true},
        HostileCase{"StretchPastTheEndIsClipped", line_of("montagna,   16000,  99000,  12\r\n"), kPlainTrain, 0, true},
        HostileCase{"CurvePastTheEndIsClipped", line_of("curvas3,  16000,  90000\r\n"), kPlainTrain, 0, true},
        HostileCase{"EightyFirstStretch", line_of(repeated("montagna,   1000,  1200,  2\r\n", 81)), kPlainTrain, 25,
                    true},
        HostileCase{"EightyFirstBoard",
                    line_of([] {
                      std::string boards;
                      for (int i = 0; i < 81; ++i) boards += "cartello_indicatore,  " + std::to_string(100 * i + 200) + ",   T\r\n";
                      return boards;
                    }()),
                    kPlainTrain, 25, true},
        HostileCase{"SignalUnder325Metres", line_of(""), "[generale]\r\nsegnale,    300," + kSignal + "[fine]\r\n", 25,
                    true},
        HostileCase{"SlowdownEndingPastTheRoute", line_of(""),
                    "[generale]\r\nrallentamento,  9000,  60,  90000,  0,  0,  0\r\n[fine]\r\n", 25, true},
        HostileCase{"LoweringAtANegativePosition", line_of(""), "[generale]\r\nabbattimento,  -100,  120\r\n[fine]\r\n",
                    25, true}),
    [](const testing::TestParamInfo<HostileCase>& p) { return std::string(p.param.name); });

}  // namespace
