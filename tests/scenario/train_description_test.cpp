// The embedded train description, read back record by record: stations and
// signals with their columns, names and orderings.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/scenario/embedded_texts.h"

namespace scenario_tests {
namespace {

using Numbers = std::vector<std::int64_t>;

const std::vector<Record>& train_records() {
  static const std::vector<Record> records = read_records(lines_of(written().train));
  return records;
}

// Positions of the commas of a line: equal for lines whose columns line up.
std::vector<std::size_t> comma_positions(const std::string& line) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ',') at.push_back(i);
  }
  return at;
}

TEST(TrainDescription, EveryLineReadsBackWhole) {
  ASSERT_EQ(train_records().size(), 87u);
  for (const Record& r : train_records()) EXPECT_TRUE(r.fully_read) << "index " << r.index << ": " << r.keyword;
}

TEST(TrainDescription, RecordsStandInTheirSections) {
  const struct {
    const char* keyword;
    std::size_t first, count;
  } kinds[] = {
      {"velocita", 8, 13},
      {"stazione", 22, 16},
      {"segnale", 40, 45},
  };
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.keyword);
    const std::vector<Record> found = records_of(train_records(), k.keyword);
    ASSERT_EQ(found.size(), k.count);
    EXPECT_EQ(found.front().index, k.first);
    EXPECT_EQ(found.back().index, k.first + k.count - 1);
  }
  EXPECT_TRUE(records_of(train_records(), "rallentamento").empty());
  EXPECT_TRUE(records_of(train_records(), "abbattimento").empty());
}

TEST(TrainDescription, GeneralValuesReadBack) {
  const std::vector<Record>& records = train_records();
  ASSERT_GE(records.size(), 7u);
  const struct {
    std::size_t index;
    Numbers numbers;
  } expected[] = {{1, {16}}, {2, {125}}, {3, {300}}, {4, {6, 42, 40}}, {6, {0, 100}}};
  for (const auto& e : expected) EXPECT_EQ(records[e.index].numbers, e.numbers) << records[e.index].keyword;
}

TEST(TrainDescription, StationColumns) {
  // Position, then columns 2 to 16: kind, length, flag, byte, end extension,
  // two words, byte, three words, byte, hours, minutes, seconds.
  const Numbers ordinary_extended = {12, 400, 0, 0, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0};
  const Numbers ordinary = {12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0};
  const std::vector<std::pair<std::int64_t, Numbers>> expected = {
      {0, {8, 500, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 6, 8, 0}},
      {2750, ordinary_extended},
      {5200, ordinary_extended},
      {8000, ordinary_extended},
      {12550, {28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {16250, {4, 500, 0, 0, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0}},
      {26200, ordinary_extended},
      {36700, ordinary},
      {46800, {26, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {56300, ordinary},
      {61400, ordinary},
      {71350, ordinary_extended},
      {80300, ordinary_extended},
      {90600, ordinary_extended},
      {93650, {25, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {96600, {2, 600, 0, 0, 0, 1, 1, 0, 2, 1, 1, 0, 7, 30, 0}},
  };
  const std::vector<Record> stations = records_of(train_records(), "stazione");
  ASSERT_EQ(stations.size(), expected.size());
  for (std::size_t k = 0; k < stations.size(); ++k) {
    Numbers numbers = {expected[k].first};
    numbers.insert(numbers.end(), expected[k].second.begin(), expected[k].second.end());
    EXPECT_EQ(stations[k].numbers, numbers) << "station " << k + 1;
  }
}

TEST(TrainDescription, StationLinesLineUpInColumns) {
  const std::vector<std::string> lines = lines_of(written().train);
  ASSERT_EQ(lines.size(), 87u);
  EXPECT_TRUE(lines[22].starts_with("stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   6, 8, 0, "));
  for (std::size_t i = 23; i <= 37; ++i) {
    EXPECT_EQ(comma_positions(lines[i]), comma_positions(lines[22])) << "index " << i;
  }
}

TEST(TrainDescription, StationNames) {
  const std::vector<std::string> lines = lines_of(written().train);
  int with_dash = 0;
  for (const Record& station : records_of(train_records(), "stazione")) {
    const std::string& name = station.text;
    SCOPED_TRACE("station at " + std::to_string(station.numbers[0]) + ": \"" + name + "\"");
    EXPECT_TRUE(is_capital_name(name));
    EXPECT_GE(name.size(), 5u);
    EXPECT_LE(name.size(), 19u);
    // One blank after the last comma, then the name to the line end.
    EXPECT_TRUE(lines[station.index].ends_with(", " + name));
    if (name.find('-') != std::string::npos) ++with_dash;
  }
  EXPECT_EQ(with_dash, 1);
}

TEST(TrainDescription, SignalsByTheirColumns) {
  // Columns 2 to 11 (sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo) and the
  // positions of the signals that carry them.
  const std::map<Numbers, Numbers> expected = {
      {{2, 4, 1, 0, 0, 0, 0, 0, 0, 0}, {1050, 7050}},
      {{2, 4, 1, 1, 0, 0, 0, 0, 0, 0}, {2250, 4250, 15400, 93450}},
      {{1, 4, 1, 0, 0, 0, 0, 0, 0, 0}, {5850, 14100, 92200}},
      {{2, 4, 0, 0, 0, 0, 0, 0, 0, 0}, {8950, 10250, 11500, 12850}},
      {{1, 4, 0, 0, 0, 1, 1, 0, 0, 0}, {20100, 30150, 40650, 49800, 65300, 74450, 83750}},
      {{2, 4, 0, 0, 0, 2, 1, 0, 0, 0}, {21350, 31400, 41900, 51050, 66550, 76000, 85000}},
      {{1, 4, 1, 0, 0, 1, 3, 1, 0, 0}, {24050, 34750, 44750, 54250, 58900, 69050, 78250, 88400}},
      {{2, 4, 1, 0, 0, 2, 2, 1, 0, 0}, {25300, 36050, 46000, 55500, 60150, 70300, 79500, 89650}},
      {{1, 3, 1, 0, 0, 0, 0, 0, 0, 215}, {94250}},
      {{2, 3, 1, 1, 0, 0, 0, 0, 0, 230}, {95500}},
  };
  std::map<Numbers, Numbers> found;
  const std::vector<Record> signals = records_of(train_records(), "segnale");
  for (std::size_t i = 0; i < signals.size(); ++i) {
    const Numbers& v = signals[i].numbers;
    if (i > 0) {
      EXPECT_LT(signals[i - 1].numbers[0], v[0]) << "index " << signals[i].index;
    }
    found[Numbers(v.begin() + 1, v.end())].push_back(v[0]);
  }
  EXPECT_EQ(found, expected);
}

TEST(TrainDescription, SignalsFrom20100OnComeInPairs) {
  Numbers positions;
  Numbers sides;
  for (const Record& r : records_of(train_records(), "segnale")) {
    if (r.numbers[0] < 20100) continue;
    positions.push_back(r.numbers[0]);
    sides.push_back(r.numbers[1]);
  }
  // 17 pairs: every sx = 1 row is followed by an sx = 2 row.
  ASSERT_EQ(positions.size(), 34u);
  std::map<std::int64_t, std::int64_t> spacing_not_1250;
  for (std::size_t i = 0; i + 1 < positions.size(); i += 2) {
    EXPECT_EQ(sides[i], 1) << positions[i];
    EXPECT_EQ(sides[i + 1], 2) << positions[i + 1];
    if (positions[i + 1] - positions[i] != 1250) spacing_not_1250[positions[i]] = positions[i + 1] - positions[i];
  }
  EXPECT_EQ(spacing_not_1250, (std::map<std::int64_t, std::int64_t>{{34750, 1300}, {74450, 1550}}));
}

TEST(TrainDescription, SignalLinesLineUpInColumns) {
  const std::vector<std::string> lines = lines_of(written().train);
  ASSERT_EQ(lines.size(), 87u);
  for (std::size_t i = 41; i <= 84; ++i) {
    EXPECT_EQ(comma_positions(lines[i]), comma_positions(lines[40])) << "index " << i;
  }
}

}  // namespace
}  // namespace scenario_tests
