// The embedded line description, read back record by record: sections,
// counts, orderings and the values the line compilation relies on.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/scenario/embedded_texts.h"

namespace scenario_tests {
namespace {

const std::vector<Record>& line_records() {
  static const std::vector<Record> records = read_records(lines_of(written().line));
  return records;
}

const std::vector<Record>& train_records() {
  static const std::vector<Record> records = read_records(lines_of(written().train));
  return records;
}

constexpr std::int64_t kLastCell = 2080;

// The route cell of a board: position / 50 + 1. Positions are whole multiples
// of 50 here (checked below), so no rounding is involved.
std::int64_t board_cell(std::int64_t position) { return position / 50 + 1; }

TEST(LineDescription, EveryLineReadsBackWhole) {
  ASSERT_EQ(line_records().size(), 188u);
  for (const Record& r : line_records()) EXPECT_TRUE(r.fully_read) << "index " << r.index << ": " << r.keyword;
}

TEST(LineDescription, SectionsHoldTheirRecordsAndNothingElse) {
  const struct {
    const char* header;
    std::size_t header_index;
    const char* keyword;
    std::size_t count;
  } sections[] = {
      {"[curve]", 9, "curva", 51},
      {"[pendenze]", 61, "pendenza", 68},
      {"[montagne]", 130, "montagna", 28},
      {"[cartelli]", 159, "indicatori_vmax", 23},
      {"[indicazioni]", 183, "cartello_indicatore", 3},
  };
  const std::vector<Record>& records = line_records();
  ASSERT_EQ(records.size(), 188u);
  for (const auto& s : sections) {
    SCOPED_TRACE(s.header);
    EXPECT_EQ(records[s.header_index].keyword, s.header);
    const std::vector<Record> found = records_of(records, s.keyword);
    ASSERT_EQ(found.size(), s.count);
    EXPECT_EQ(found.front().index, s.header_index + 1);
    EXPECT_EQ(found.back().index, s.header_index + s.count);
  }
  EXPECT_EQ(records.back().keyword, "[fine]");
}

// The blanks after each comma are fixed per record kind; numbers are not padded.
TEST(LineDescription, RecordsKeepTheSpacingOfTheirKind) {
  const struct {
    const char* keyword;
    std::regex shape;
  } kinds[] = {
      {"curva", std::regex(R"(curva[sd][1-5],  [0-9]+,  [0-9]+)")},
      {"pendenza", std::regex(R"(pendenza,  [0-9]+,   -?[0-9]+)")},
      {"montagna", std::regex(R"(montagna,   [0-9]+,  [0-9]+,  [0-9]+)")},
      {"indicatori_vmax",
       std::regex(R"(indicatori_vmax,  [0-9]+(,  [0-9]+){4}((,  [0-9]+){3}|(,  ){3}),  [0-2])")},
      {"cartello_indicatore", std::regex(R"(cartello_indicatore,  [0-9]+,   \(.*\))")},
  };
  const std::vector<std::string> lines = lines_of(written().line);
  for (const auto& kind : kinds) {
    for (const Record& r : records_of(line_records(), kind.keyword)) {
      EXPECT_TRUE(std::regex_match(lines[r.index], kind.shape)) << "index " << r.index << ": " << lines[r.index];
    }
  }
}

TEST(LineDescription, GeneralValuesReadBack) {
  const std::vector<Record>& records = line_records();
  ASSERT_GE(records.size(), 9u);
  EXPECT_EQ(records[1].numbers, std::vector<std::int64_t>{97000});
  EXPECT_EQ(records[6].keyword, "sfondo due");
  EXPECT_EQ(records[6].numbers, std::vector<std::int64_t>{1});
  EXPECT_EQ(records[8].keyword, "ripetizione segnali 4 codici");
  EXPECT_EQ(records[8].numbers, (std::vector<std::int64_t>{1050, 95500}));
}

TEST(LineDescription, CurvesCountedByKeyword) {
  const std::map<std::string, int> expected = {
      {"curvas4", 11}, {"curvad4", 11}, {"curvas3", 6}, {"curvas2", 5}, {"curvad5", 5},
      {"curvad3", 5},  {"curvad1", 4},  {"curvas5", 2}, {"curvas1", 1}, {"curvad2", 1},
  };
  std::map<std::string, int> found;
  for (const Record& r : records_of(line_records(), "curva")) ++found[r.keyword];
  EXPECT_EQ(found, expected);
}

TEST(LineDescription, CurvesFollowOneAnotherOutsideTheLongTunnel) {
  const std::vector<Record> curves = records_of(line_records(), "curva");
  ASSERT_EQ(curves.size(), 51u);
  std::int64_t shortest = INT64_MAX;
  std::int64_t longest = 0;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const std::int64_t start = curves[i].numbers[0];
    const std::int64_t end = start + curves[i].numbers[1];
    shortest = std::min(shortest, curves[i].numbers[1]);
    longest = std::max(longest, curves[i].numbers[1]);
    if (i > 0) {
      const std::int64_t previous_end = curves[i - 1].numbers[0] + curves[i - 1].numbers[1];
      EXPECT_LE(previous_end, start) << "curve at index " << curves[i].index << " overlaps the previous one";
    }
    EXPECT_FALSE(start < 55750 && end > 37100) << "curve at " << start << " lies in the straight 37100-55750";
  }
  EXPECT_EQ(curves.front().numbers[0], 1000);
  EXPECT_EQ(curves.back().numbers[0] + curves.back().numbers[1], 95800);
  EXPECT_EQ(shortest, 200);
  EXPECT_EQ(longest, 2000);
}

// The gradient byte each route cell gets from the records: a record's value
// from its own cell up to the next record's cell, the last value up to the
// third cell from the end; the last three cells keep 0.
std::vector<int> gradient_cells(const std::vector<Record>& gradients) {
  std::vector<int> cells(kLastCell + 1, 0);
  std::int64_t fill = 0;
  std::int64_t previous = 0;
  for (const Record& r : gradients) {
    const std::int64_t cell = r.numbers[0] / 50;
    if (cell > 0) {
      do cells[fill++] = static_cast<int>((previous + 100) & 0xFF);
      while (fill < cell && fill <= kLastCell);
    }
    previous = r.numbers[1];
  }
  do cells[fill++] = static_cast<int>((previous + 100) & 0xFF);
  while (fill < kLastCell - 2);
  return cells;
}

// The gradient in force at a position: that of the last record at or before it.
std::int64_t gradient_at(const std::vector<Record>& gradients, std::int64_t position) {
  std::int64_t value = 0;
  for (const Record& r : gradients) {
    if (r.numbers[0] <= position) value = r.numbers[1];
  }
  return value;
}

TEST(LineDescription, GradientProfile) {
  const std::vector<Record> gradients = records_of(line_records(), "pendenza");
  ASSERT_EQ(gradients.size(), 68u);
  std::int64_t lowest = 0;
  std::int64_t highest = 0;
  const Record* first_negative = nullptr;
  for (std::size_t i = 0; i < gradients.size(); ++i) {
    const std::int64_t position = gradients[i].numbers[0];
    const std::int64_t value = gradients[i].numbers[1];
    EXPECT_EQ(position % 50, 0) << "index " << gradients[i].index;
    if (i > 0) {
      EXPECT_LT(gradients[i - 1].numbers[0], position) << "index " << gradients[i].index;
    }
    lowest = std::min(lowest, value);
    highest = std::max(highest, value);
    if (value < 0 && first_negative == nullptr) first_negative = &gradients[i];
  }
  EXPECT_EQ(lowest, -12);
  EXPECT_EQ(highest, 12);
  ASSERT_NE(first_negative, nullptr);
  EXPECT_EQ(first_negative->numbers, (std::vector<std::int64_t>{51400, -1}));

  // The ramp up to 12 is six consecutive records.
  const std::vector<std::vector<std::int64_t>> ramp = {{17000, 2},  {17200, 4},  {17400, 6},
                                                       {17600, 8},  {17800, 10}, {18000, 12}};
  const auto ramp_start = std::find_if(gradients.begin(), gradients.end(),
                                       [](const Record& r) { return r.numbers[0] == 17000; });
  ASSERT_LE(ramp_start + 6, gradients.end());
  for (std::size_t k = 0; k < ramp.size(); ++k) EXPECT_EQ(ramp_start[static_cast<std::ptrdiff_t>(k)].numbers, ramp[k]);

  // Stretches held at one value, changing at both ends.
  const struct {
    std::int64_t value, from, to;
  } held[] = {{12, 18000, 25000}, {12, 27550, 36000}, {-12, 62500, 70400}};
  for (const auto& h : held) {
    SCOPED_TRACE(std::to_string(h.from) + " to " + std::to_string(h.to));
    for (std::int64_t p = h.from; p < h.to; p += 50) ASSERT_EQ(gradient_at(gradients, p), h.value) << p;
    EXPECT_NE(gradient_at(gradients, h.from - 50), h.value);
    EXPECT_NE(gradient_at(gradients, h.to), h.value);
  }
}

TEST(LineDescription, GradientRecordsGiveTheRouteCellsTheCompilerMustProduce) {
  const std::vector<int> cells = gradient_cells(records_of(line_records(), "pendenza"));
  const struct {
    std::int64_t first, last;
    int gradient;
  } runs[] = {{0, 39, 102}, {40, 69, 100}, {70, 75, 105}, {1932, 2077, 100}, {2078, 2080, 0}};
  for (const auto& run : runs) {
    for (std::int64_t c = run.first; c <= run.last; ++c) EXPECT_EQ(cells[c], run.gradient) << "cell " << c;
  }
}

TEST(LineDescription, MountainStretches) {
  const std::vector<Record> stretches = records_of(line_records(), "montagna");
  ASSERT_EQ(stretches.size(), 28u);
  std::vector<std::int64_t> close_starts;
  std::vector<std::pair<std::int64_t, std::int64_t>> type_11;
  std::int64_t longest_other = 0;
  for (std::size_t i = 0; i < stretches.size(); ++i) {
    const std::int64_t start = stretches[i].numbers[0];
    const std::int64_t end = stretches[i].numbers[1];
    const std::int64_t type = stretches[i].numbers[2];
    EXPECT_LT(start, end) << "index " << stretches[i].index;
    if (i > 0) {
      const std::int64_t previous_end = stretches[i - 1].numbers[1];
      EXPECT_LE(previous_end, start) << "index " << stretches[i].index << " overlaps the previous stretch";
      if (start - previous_end <= 150) close_starts.push_back(start);
    }
    if (i < 2) {
      EXPECT_EQ(type, 2) << "index " << stretches[i].index;
    } else if (type == 11) {
      type_11.emplace_back(start, end);
    } else {
      EXPECT_EQ(type, 12) << "index " << stretches[i].index;
    }
    if (start != 37250) longest_other = std::max(longest_other, end - start);
  }
  EXPECT_EQ(close_starts, (std::vector<std::int64_t>{18900, 31550, 35500, 57450, 72600, 81550}));
  EXPECT_EQ(type_11, (std::vector<std::pair<std::int64_t, std::int64_t>>{
                         {37250, 55750}, {56900, 57300}, {57450, 60250}}));
  EXPECT_LT(longest_other, 55750 - 37250);
}

TEST(LineDescription, SpeedBoards) {
  const std::vector<Record> boards = records_of(line_records(), "indicatori_vmax");
  ASSERT_EQ(boards.size(), 23u);
  const std::vector<std::string> lines = lines_of(written().line);
  int without_d = 0;
  std::vector<std::int64_t> d_differs;
  std::map<std::int64_t, std::pair<std::int64_t, std::int64_t>> stripes;  // s and d
  std::int64_t slowest = INT64_MAX;
  std::int64_t fastest = 0;
  for (std::size_t i = 0; i < boards.size(); ++i) {
    const std::vector<std::int64_t>& v = boards[i].numbers;
    SCOPED_TRACE("board at " + std::to_string(v[0]));
    if (i > 0) {
      EXPECT_LT(boards[i - 1].numbers[0], v[0]);
    }
    // An absent d board is three empty speed fields, which read as 0.
    const bool has_d = !lines[boards[i].index].ends_with(",  ,  ,  ,  0");
    if (!has_d) {
      ++without_d;
      EXPECT_EQ(v[8], 0);
    } else if (!std::equal(v.begin() + 1, v.begin() + 4, v.begin() + 5)) {
      d_differs.push_back(v[0]);
    }
    for (std::size_t k : {1, 2, 3, 5, 6, 7}) {
      if (k >= 5 && !has_d) continue;
      EXPECT_EQ(v[k] % 5, 0);
      slowest = std::min(slowest, v[k]);
      fastest = std::max(fastest, v[k]);
    }
    EXPECT_TRUE(v[4] >= 0 && v[4] <= 2 && v[8] >= 0 && v[8] <= 2);
    stripes[v[0]] = {v[4], v[8]};
  }
  EXPECT_EQ(without_d, 10);
  EXPECT_EQ(d_differs, std::vector<std::int64_t>{60100});
  EXPECT_EQ(slowest, 60);
  EXPECT_EQ(fastest, 180);

  // Groups about 200 m apart with 2, 1 and 0 stripes.
  const std::int64_t groups[][3] = {{14700, 14900, 15100}, {54150, 54350, 54500}, {59700, 59900, 60100},
                                    {78600, 78800, 79000}, {93900, 94100, 94300}};
  std::set<std::int64_t> in_groups;
  for (const auto& group : groups) {
    for (int k = 0; k < 3; ++k) {
      ASSERT_TRUE(stripes.contains(group[k])) << group[k];
      EXPECT_EQ(stripes[group[k]].first, 2 - k) << group[k];
      in_groups.insert(group[k]);
    }
  }
  for (const auto& [position, counts] : stripes) {
    if (!in_groups.contains(position)) {
      EXPECT_EQ(counts, std::make_pair(std::int64_t{0}, std::int64_t{0})) << position;
    }
  }
}

TEST(LineDescription, IndicationBoardsNameTheirStructures) {
  const std::vector<Record> boards = records_of(line_records(), "cartello_indicatore");
  ASSERT_EQ(boards.size(), 3u);
  const struct {
    std::int64_t position;
    std::regex text;
  } expected[] = {
      {37200, std::regex(R"(\(GALLERIA \)\([A-Z][A-Z .-]*[A-Z.]\)\(Km 37\+250\))")},
      {70250, std::regex(R"(\(VIADOTTO\)\((?=.{8}\))[A-Z][A-Z.-]* *\))")},
      {72550, std::regex(R"(\(GALLERIA   \)\([A-Z][A-Z .-]*[A-Z.]\)\(Km 72\+600   \))")},
  };
  for (std::size_t i = 0; i < boards.size(); ++i) {
    EXPECT_EQ(boards[i].numbers, std::vector<std::int64_t>{expected[i].position});
    EXPECT_TRUE(std::regex_match(boards[i].text, expected[i].text)) << boards[i].text;
  }
  // The tunnel boards stand 50 m before the start of their stretch.
  std::set<std::int64_t> starts;
  for (const Record& r : records_of(line_records(), "montagna")) starts.insert(r.numbers[0]);
  EXPECT_TRUE(starts.contains(37250));
  EXPECT_TRUE(starts.contains(72600));
}

// Boards, signals and station stop cells each need a route cell of their own:
// on a shared cell the compilation would refuse the later record or a station
// would silently overwrite a board.
TEST(LineDescription, BoardsSignalsAndStopCellsNeverShareACell) {
  std::map<std::int64_t, std::string> taken;
  auto take = [&taken](std::int64_t cell, const std::string& what) {
    const auto [at, inserted] = taken.emplace(cell, what);
    EXPECT_TRUE(inserted) << what << " shares cell " << cell << " with " << at->second;
  };
  for (const char* keyword : {"indicatori_vmax", "cartello_indicatore"}) {
    for (const Record& r : records_of(line_records(), keyword)) {
      const std::int64_t position = r.numbers[0];
      EXPECT_EQ(position % 50, 0);
      EXPECT_LE((position + 100) / 50, kLastCell);
      take(board_cell(position), std::string(keyword) + " at " + std::to_string(position));
    }
  }
  for (const Record& r : records_of(train_records(), "segnale")) {
    take(board_cell(r.numbers[0]), "signal at " + std::to_string(r.numbers[0]));
  }
  for (const Record& r : records_of(train_records(), "stazione")) {
    const std::int64_t position = r.numbers[0];
    const std::int64_t kind = r.numbers[1];
    const std::int64_t length = r.numbers[2];
    if (kind >= 25) continue;  // no stop cell
    std::int64_t end = position + length / 2 + (r.numbers[5] != 0 ? 50 : 0);
    if (kind == 5 || kind == 6) end = position + 150;
    if (kind == 7 || kind == 8) end = position + length;
    take(end / 50 - 1, "stop cell of the station at " + std::to_string(position));
  }
}

}  // namespace
}  // namespace scenario_tests
