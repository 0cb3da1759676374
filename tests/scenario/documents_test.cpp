// The three driver's papers: the timetable sheet's rows and fields, the
// slowdown order's line name, the notes' line structure, and the names they
// share with the line and train descriptions.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "tests/scenario/embedded_texts.h"

namespace scenario_tests {
namespace {

std::string pad_right(std::string text, std::size_t width) {
  text.resize(std::max(width, text.size()), ' ');
  return text;
}

std::string pad_left(const std::string& text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string trim_right(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : trim_right(text.substr(first));
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

struct Station {
  std::int64_t position;
  std::string name;
};

std::vector<Station> stations() {
  std::vector<Station> found;
  for (const Record& r : records_of(read_records(lines_of(written().train)), "stazione")) {
    found.push_back({r.numbers[0], r.text});
  }
  return found;
}

// The station of the train description nearest to a position.
const Station& station_near(const std::vector<Station>& all, std::int64_t position) {
  const Station* best = &all.front();
  for (const Station& s : all) {
    if (std::llabs(s.position - position) < std::llabs(best->position - position)) best = &s;
  }
  return *best;
}

// The structure names of the three indication boards: the second group in
// parentheses, without its filling blanks.
std::vector<std::string> board_names() {
  std::vector<std::string> names;
  const std::regex group(R"(\(([^()]*)\))");
  for (const Record& r : records_of(read_records(lines_of(written().line)), "cartello_indicatore")) {
    std::vector<std::string> groups;
    for (auto it = std::sregex_iterator(r.text.begin(), r.text.end(), group); it != std::sregex_iterator(); ++it) {
      groups.push_back((*it)[1]);
    }
    names.push_back(groups.size() >= 2 ? trim(groups[1]) : "");
  }
  return names;
}

enum class Place {
  kText,  // the text given, as it stands
  kOrigin,
  kStation,
  kStation28,
  kTunnel1In,
  kTunnel1Out,
  kPassing,
  kViaduct,
  kTunnel2In,
  kJunction,
  kDestination,
};

enum class Align { kNone, kRight, kMiddle, kLeft };

struct Row {
  int limit, running;  // 0 for an empty field
  const char* km;
  int no_rs;
  Place place;
  const char* text;
  const char* time;
  Align align;
};

constexpr Row kRows[] = {
    {30, 30, "0", 30, Place::kOrigin, "", "6.08", Align::kRight},
    {115, 75, "1.000", 115, Place::kText, " deviatoio uscita", "", Align::kNone},
    {0, 0, "2.750", 0, Place::kStation, "", "6.13", Align::kMiddle},
    {150, 150, "3.300", 150, Place::kText, " deviatoio uscita", "", Align::kNone},
    {0, 0, "5.200", 0, Place::kStation, "", "6.16", Align::kMiddle},
    {160, 155, "6.650", 0, Place::kText, " deviatoio uscita", "", Align::kNone},
    {0, 0, "8.000", 0, Place::kStation, "", "6.18", Align::kMiddle},
    {0, 0, "10.250", 0, Place::kText, " P 142", "", Align::kNone},
    {0, 0, "11.500", 0, Place::kText, " P 140", "", Align::kNone},
    {0, 0, "12.850", 0, Place::kText, " P 138", "", Align::kNone},
    {115, 115, "16.350", 115, Place::kStation, "", "6.23", Align::kMiddle},
    {0, 0, "21.350", 0, Place::kText, " P 134", "", Align::kNone},
    {0, 0, "26.200", 0, Place::kStation, "", "6.30", Align::kMiddle},
    {0, 0, "31.400", 0, Place::kText, " P 130", "", Align::kNone},
    {0, 0, "36.800", 0, Place::kStation28, "", "6.38", Align::kMiddle},
    {160, 145, "37.200", 145, Place::kTunnel1In, "", "", Align::kNone},
    {0, 0, "41.900", 0, Place::kText, " P 126", "", Align::kNone},
    {0, 0, "46.200", 0, Place::kPassing, "", "6.46", Align::kMiddle},
    {0, 0, "51.200", 0, Place::kText, " P 122", "", Align::kNone},
    {120, 120, "55.550", 120, Place::kTunnel1Out, "", "", Align::kNone},
    {0, 0, "56.300", 0, Place::kStation, "", "6.54", Align::kMiddle},
    {160, 145, "56.850", 145, Place::kText, " deviatoio uscita", "", Align::kNone},
    {135, 135, "61.400", 135, Place::kStation, "", "6.57", Align::kMiddle},
    {0, 0, "66.550", 0, Place::kText, " P 116", "", Align::kNone},
    {0, 0, "70.300", 0, Place::kViaduct, "", "", Align::kNone},
    {0, 0, "71.300", 0, Place::kStation, "", "7.02", Align::kMiddle},
    {160, 155, "72.550", 150, Place::kTunnel2In, "", "", Align::kNone},
    {0, 0, "76.000", 0, Place::kText, " P.112", "", Align::kNone},
    {135, 135, "79.000", 135, Place::kText, " cippo km 79.000", "", Align::kNone},
    {0, 0, "80.500", 0, Place::kStation, "", "7.06", Align::kMiddle},
    {0, 0, "85.000", 0, Place::kText, " P 108", "", Align::kNone},
    {0, 0, "90.600", 0, Place::kStation, "", "7.12", Align::kMiddle},
    {0, 0, "93.450", 0, Place::kJunction, "", "7.15", Align::kMiddle},
    {65, 65, "95.500", 65, Place::kText, " segnale protezione", "", Align::kNone},
    {30, 30, "96.000", 30, Place::kText, " deviatoio ingresso", "", Align::kNone},
    {0, 0, "96.600", 0, Place::kDestination, "", "7.20", Align::kLeft},
};

std::string speed_field(int speed) { return speed == 0 ? std::string(5, ' ') : pad_left(std::to_string(speed), 4) + " "; }

std::string km_field(const std::string& km) { return km == "0" ? "    0     " : pad_left(km, 9) + " "; }

std::string time_field(const std::string& time, Align align) {
  switch (align) {
    case Align::kRight: return pad_left(time, 16);
    case Align::kLeft: return pad_right(time, 16);
    case Align::kMiddle: return std::string(7, ' ') + time + std::string(5, ' ');
    case Align::kNone: break;
  }
  return std::string(16, ' ');
}

// The seven fields of a table row, or nothing when the row is not " |" and
// seven fields of 5, 5, 10, 5, 28, 16 and 5 characters, each closed by "|".
std::vector<std::string> row_fields(const std::string& line) {
  static constexpr std::size_t kBars[] = {7, 13, 24, 30, 59, 76, 82};
  if (line.size() != 83 || !line.starts_with(" |")) return {};
  std::vector<std::string> fields;
  std::size_t start = 2;
  for (std::size_t bar : kBars) {
    if (line[bar] != '|') return {};
    fields.push_back(line.substr(start, bar - start));
    start = bar + 1;
  }
  return fields;
}

// What the place field must read, given the names fixed elsewhere.
std::string expected_place(const Row& row, const std::vector<Station>& all, const std::vector<std::string>& boards) {
  const std::int64_t metres = std::llround(std::stod(row.km) * 1000);
  switch (row.place) {
    case Place::kText: return row.text;
    case Place::kOrigin: return all.front().name;
    case Place::kDestination: return all.back().name;
    case Place::kStation: return station_near(all, metres).name;
    case Place::kTunnel1In: return " imbocco galleria " + boards.at(0);
    case Place::kTunnel1Out: return " sbocco galleria " + boards.at(0);
    case Place::kViaduct: return " imbocco viadotto " + boards.at(1);
    case Place::kTunnel2In: return " imbocco galleria " + boards.at(2);
    case Place::kStation28: break;  // checked on its own
    case Place::kPassing:
    case Place::kJunction: break;   // lower-case names, checked on their own
  }
  return {};
}

TEST(TimetableSheet, RowsHoldTheirFieldsAndPlaces) {
  const std::vector<std::string> lines = lines_of(written().timetable);
  ASSERT_EQ(lines.size(), 53u);
  const std::vector<Station> all = stations();
  const std::vector<std::string> boards = board_names();
  ASSERT_EQ(all.size(), 16u);
  ASSERT_EQ(boards.size(), 3u);
  EXPECT_NE(boards[0], boards[2]) << "the two tunnels need names of their own";

  for (std::size_t r = 0; r < std::size(kRows); ++r) {
    const Row& row = kRows[r];
    const std::string& line = lines[16 + r];
    SCOPED_TRACE("row " + std::to_string(r + 1) + ": " + line);
    const std::vector<std::string> fields = row_fields(line);
    ASSERT_EQ(fields.size(), 7u);
    EXPECT_EQ(fields[0], speed_field(row.limit));
    EXPECT_EQ(fields[1], speed_field(row.running));
    EXPECT_EQ(fields[2], km_field(row.km));
    EXPECT_EQ(fields[3], speed_field(row.no_rs));
    EXPECT_EQ(fields[5], time_field(row.time, row.align));
    EXPECT_EQ(fields[6], "     ");

    const std::string place = trim_right(fields[4]);
    switch (row.place) {
      case Place::kStation28:
        EXPECT_EQ(place.size(), 28u);
        EXPECT_TRUE(is_capital_name(place));
        break;
      case Place::kPassing:
        ASSERT_TRUE(place.starts_with("p.c. "));
        EXPECT_TRUE(is_lower_name(place.substr(5)));
        EXPECT_EQ(upper(place), station_near(all, 46800).name);
        break;
      case Place::kJunction:
        ASSERT_TRUE(place.starts_with(" bivio "));
        EXPECT_TRUE(is_lower_name(place.substr(7)));
        EXPECT_EQ(upper(place.substr(1)), station_near(all, 93650).name);
        break;
      default:
        EXPECT_EQ(fields[4], pad_right(expected_place(row, all, boards), 28));
        break;
    }
  }
}

TEST(TimetableSheet, StationOfRow15IsTooLongForTheTrainDescription) {
  const std::vector<std::string> lines = lines_of(written().timetable);
  ASSERT_EQ(lines.size(), 53u);
  const std::string full = row_fields(lines[30]).at(4);
  const std::string short_name = station_near(stations(), 36700).name;
  EXPECT_EQ(full.size(), 28u);
  EXPECT_NE(full, short_name);
  EXPECT_LE(short_name.size(), 19u);
}

TEST(TimetableSheet, TrainBoxNamesOriginAndDestination) {
  const std::vector<std::string> lines = lines_of(written().timetable);
  ASSERT_EQ(lines.size(), 53u);
  const std::vector<Station> all = stations();
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(lines[4], " |   TRENO n. 2734.2 |" + pad_right(std::string(19, ' ') + "da: " + all.front().name, 45) +
                          "|    V 160 B   |");
  EXPECT_EQ(lines[5], " |" + std::string(19, '_') + "|" +
                          pad_right(std::string(20, ' ') + "a: " + all.back().name, 45) + "|     125%     |");
  // The colons stand one above the other.
  EXPECT_EQ(lines[4].find(':'), lines[5].find(':'));
}

TEST(SlowdownOrder, NamesTheLineFromOriginToDestination) {
  const std::vector<std::string> lines = lines_of(written().slowdown);
  ASSERT_EQ(lines.size(), 46u);
  const std::vector<Station> all = stations();
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(lines[4], "  Linea  " + all.front().name + " - " + all.back().name);
  EXPECT_EQ(lines[4].size(), 35u);
}

TEST(SlowdownOrder, HasTwentySixBodyRowsBetweenItsRules) {
  const std::vector<std::string> lines = lines_of(written().slowdown);
  ASSERT_EQ(lines.size(), 46u);
  const std::string blank_row = " |   |                            |            |          |         |            |";
  int filled = 0;
  int blank = 0;
  for (std::size_t n = 13; n <= 38; ++n) {
    if (lines[n - 1] == blank_row) ++blank;
    if (lines[n - 1].find("nessuna prescrizione") != std::string::npos) ++filled;
  }
  EXPECT_EQ(filled, 1);
  EXPECT_EQ(blank, 25);
  EXPECT_EQ(lines[11], lines[38]);
}

TEST(Notes, LinesHaveTheirLengthsAndShapes) {
  const std::vector<std::string> lines = lines_of(written().notes);
  ASSERT_EQ(lines.size(), 10u);
  const std::size_t lengths[] = {22, 21, 0, 94, 8, 1, 70, 3, 0, 14};
  for (std::size_t n = 1; n <= 10; ++n) {
    EXPECT_EQ(lines[n - 1].size(), lengths[n - 1]) << "line " << n;
    const bool blank_only = lines[n - 1].find_first_not_of(' ') == std::string::npos;
    EXPECT_EQ(blank_only, n == 3 || n == 6 || n == 8 || n == 9) << "line " << n;
  }
  EXPECT_EQ(lines[3].front(), ' ');
  EXPECT_EQ(lines[3].back(), ' ');
  EXPECT_EQ(lines[9].front(), ' ');
  // Line 5 ends the first remark with a place of the line and a full stop.
  const std::string place = lines[4].substr(0, lines[4].size() - 1);
  EXPECT_EQ(lines[4].back(), '.');
  EXPECT_TRUE(is_capital_name(place));
  bool is_a_station = false;
  for (const Station& s : stations()) is_a_station = is_a_station || s.name == place;
  EXPECT_TRUE(is_a_station) << place;
}

}  // namespace
}  // namespace scenario_tests
