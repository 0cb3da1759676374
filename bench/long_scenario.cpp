#include "bench/long_scenario.h"

#include <array>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

namespace bench {
namespace {

// Offsets (metres) of each object inside a 5000 m block, and the route
// cell (offset / 50 from the block's first cell) it lands in:
//   speed boards     500  -> cell 11
//   first signal    1050  -> cell 22, approach markers in 20, 18, 16, 14
//   first curve     1000, 800 m long
//   slowdown        1500 to 2000 -> start 31, end 41, warning 7, boards 6..3
//   station         2500, 400 m long -> stop cell 53, markers 52..49
//   second curve    3200, 600 m long
//   tunnel          3000 to 4800 -> cells 60..95
//   indication      4000  -> cell 81
//   lowering        4500  -> cell 90
//   second signal   4550  -> cell 92, approach markers 90..84
// The lowering points the post-pass adds (cells 39, 26, 20, 13 after a
// slowdown start, 91 in front of the signal before the next block's
// warning board) fall on cells left free.
constexpr std::int32_t kSpeedBoardsAt = 500;
constexpr std::int32_t kFirstCurveAt = 1000;
constexpr std::int32_t kFirstCurveLength = 800;
constexpr std::int32_t kFirstSignalAt = 1050;
constexpr std::int32_t kSlowdownAt = 1500;
constexpr std::int32_t kSlowdownLength = 500;
constexpr std::int32_t kStationAt = 2500;
constexpr std::int32_t kStationLength = 400;
constexpr std::int32_t kTunnelStart = 3000;
constexpr std::int32_t kTunnelEnd = 4800;
constexpr std::int32_t kJoinedTunnelStart = 4900;  // 100 m after the tunnel: compiled as type 3
constexpr std::int32_t kJoinedTunnelEnd = 4950;
constexpr std::int32_t kSecondCurveAt = 3200;
constexpr std::int32_t kSecondCurveLength = 600;
constexpr std::int32_t kIndicationAt = 4000;
constexpr std::int32_t kLoweringAt = 4500;
constexpr std::int32_t kSecondSignalAt = 4550;
constexpr std::int32_t kGradientSpacing = 250;

// Which blocks carry the objects that are not in every block. The table
// limits (80 tunnel stretches, 80 board and station entries together)
// hold up to the longest line: 40 + 20 stretches, 40 stations, 29 boards.
bool has_station(int block) { return block % 5 == 0; }
bool has_tunnel(int block) { return block % 5 == 2; }
bool has_joined_tunnel(int block) { return block % 10 == 2; }
bool has_indication_board(int block) { return block % 7 == 3; }
bool has_slowdown(int block) { return block % 4 == 1; }
bool has_lowering_record(int block) { return block % 3 == 0; }
bool has_adhesion_change(int block) { return block % 4 == 0; }

void add_line(std::string& text, std::string_view line) {
  text.append(line);
  text.append("\r\n");
}

// keyword, then each value after a comma and `gap` blanks. An empty value
// string writes an empty numeric field.
void add_record(std::string& text, std::string_view keyword, std::initializer_list<std::string> values,
                std::string_view gap = "  ") {
  std::string line(keyword);
  for (const std::string& value : values) {
    line += ',';
    line += gap;
    line += value;
  }
  add_line(text, line);
}

std::string num(std::int64_t value) { return std::to_string(value); }

// A gradient that climbs and falls in steps of 2 between -12 and 12.
std::int32_t gradient_at(std::int32_t index) {
  constexpr std::int32_t kPeriod = 24;
  const std::int32_t phase = index % kPeriod;
  return phase <= 12 ? phase : kPeriod - phase;  // 0 .. 12 .. 2
}
std::int32_t signed_gradient_at(std::int32_t index) {
  return (index / 24) % 2 == 0 ? gradient_at(index) : -gradient_at(index);
}

std::string curve_keyword(bool clockwise, int radius_digit) {
  return std::string("curva") + (clockwise ? "d" : "s") + static_cast<char>('0' + radius_digit);
}

constexpr std::array<std::int32_t, 8> kBoardSpeeds = {60, 80, 100, 105, 120, 135, 150, 160};
// All above the slowdowns' 120 km/h, so that every slowdown slows the train.
constexpr std::array<std::int32_t, 7> kLimitSpeeds = {160, 150, 135, 125, 130, 145, 140};

void add_general_line_section(std::string& text, std::int32_t line_length) {
  add_line(text, "[generale]");
  add_record(text, "lunghezza percorso", {num(line_length)}, "    ");
  add_record(text, "progressiva chilometrica uno", {"0", "0", "0"}, "    ");
  add_record(text, "progressiva chilometrica due", {"0", "0", "0"}, "    ");
  add_record(text, "progressiva chilometrica tre", {"0", "0", "0"}, "    ");
  add_record(text, "sfondo uno", {"0"}, "    ");
  add_record(text, "sfondo due", {"1"}, "    ");
  add_record(text, "sfondo tre", {"0"}, "    ");
  add_record(text, "ripetizione segnali 4 codici", {num(kFirstSignalAt), num(line_length - 4500)}, "    ");
}

void add_curves(std::string& text, int blocks) {
  add_line(text, "[curve]");
  for (int block = 0; block < blocks; ++block) {
    const std::int32_t start = block * kBlockLength;
    const bool clockwise = block % 2 == 1;
    add_record(text, curve_keyword(clockwise, 1 + block % 6),
               {num(start + kFirstCurveAt), num(kFirstCurveLength)});
    add_record(text, curve_keyword(!clockwise, 1 + (block + 3) % 6),
               {num(start + kSecondCurveAt), num(kSecondCurveLength)});
  }
}

void add_gradients(std::string& text, std::int32_t line_length) {
  add_line(text, "[pendenze]");
  for (std::int32_t index = 0; index * kGradientSpacing < line_length; ++index) {
    add_record(text, "pendenza", {num(index * kGradientSpacing), num(signed_gradient_at(index))});
  }
}

void add_tunnels(std::string& text, int blocks) {
  add_line(text, "[montagne]");
  constexpr std::array<int, 3> kTypes = {2, 11, 12};
  for (int block = 0; block < blocks; ++block) {
    const std::int32_t start = block * kBlockLength;
    if (has_tunnel(block)) {
      add_record(text, "montagna", {num(start + kTunnelStart), num(start + kTunnelEnd), num(kTypes[block % 3])});
    }
    if (has_joined_tunnel(block)) {
      add_record(text, "montagna", {num(start + kJoinedTunnelStart), num(start + kJoinedTunnelEnd), "12"});
    }
  }
}

void add_speed_boards(std::string& text, int blocks) {
  add_line(text, "[cartelli]");
  for (int block = 0; block < blocks; ++block) {
    const std::int32_t position = block * kBlockLength + kSpeedBoardsAt;
    const std::int32_t a = kBoardSpeeds[static_cast<std::size_t>(block) % kBoardSpeeds.size()];
    const std::string stripes = num(block % 3);
    if (block % 2 == 0) {
      add_record(text, "indicatori_vmax",
                 {num(position), num(a), num(a + 10), num(a + 15), stripes, "", "", "", "0"});
    } else {
      add_record(text, "indicatori_vmax",
                 {num(position), num(a), num(a + 10), num(a + 15), stripes, num(a), num(a + 5), num(a + 15), stripes});
    }
  }
}

void add_indication_boards(std::string& text, int blocks) {
  add_line(text, "[indicazioni]");
  for (int block = 0; block < blocks; ++block) {
    if (!has_indication_board(block)) continue;
    const std::int32_t position = block * kBlockLength + kIndicationAt;
    const std::int32_t post = position + 50;
    std::string board = "(GALLERIA)(MONTE " + num(block) + ")(Km " + num(post / 1000) + "+";
    const std::string metres = num(1000 + post % 1000);  // three digits after the leading 1
    board += metres.substr(1) + ")";
    add_line(text, "cartello_indicatore,  " + num(position) + ",   " + board);
  }
}

void add_general_train_section(std::string& text) {
  add_line(text, "[generale]");
  add_record(text, "numero vetture", {"16"}, "    ");
  add_record(text, "percentuale massa frenata", {"125"}, "    ");
  add_record(text, "sabbia", {"300"}, "    ");
  add_line(text, "orologio,    6               42            40 ");
}

void add_profiles(std::string& text, int blocks) {
  add_line(text, "[aderenze]");
  add_record(text, "aderenza", {"0", "100"}, "   ");
  for (int block = 1; block < blocks; ++block) {
    if (has_adhesion_change(block)) add_record(text, "aderenza", {num(block * kBlockLength), num(90 + block % 20)});
  }
  add_line(text, "[vel_limite]");
  add_record(text, "velocita", {"0", "30"}, "   ");
  for (int block = 1; block < blocks; ++block) {
    add_record(text, "velocita",
               {num(block * kBlockLength), num(kLimitSpeeds[static_cast<std::size_t>(block) % kLimitSpeeds.size()])});
  }
}

void add_stations(std::string& text, int blocks) {
  add_line(text, "[stazioni]");
  int count = 0;
  for (int block = 0; block < blocks; ++block) {
    if (!has_station(block)) continue;
    ++count;
    const std::int32_t position = block * kBlockLength + kStationAt;
    const bool timed = count == 1;
    add_line(text, "stazione,  " + num(position) + ",  12,  " + num(kStationLength) +
                       ",  0, 0, 1,  1,1,0,  4,1,1,    0,   " + (timed ? "6, 8, 0" : "0, 0, 0") + ", STAZIONE " +
                       num(count));
  }
}

void add_slowdowns(std::string& text, int blocks) {
  add_line(text, "[rallentamenti]");
  for (int block = 0; block < blocks; ++block) {
    if (!has_slowdown(block)) continue;
    const std::int32_t x = block * kBlockLength + kSlowdownAt;
    const std::int32_t speed = block % 8 == 1 ? 60 : 120;  // the slow ones get 400 m points
    const std::int32_t announced = block % 3 == 0 ? 50 : 0;
    add_record(text, "rallentamento", {num(x), num(speed), num(kSlowdownLength), "1", "1", num(announced)});
  }
  for (int block = 0; block < blocks; ++block) {
    if (!has_lowering_record(block)) continue;
    add_record(text, "abbattimento", {num(block * kBlockLength + kLoweringAt), block % 2 == 0 ? "150" : "0"});
  }
}

void add_signals(std::string& text, int blocks) {
  add_line(text, "[segnali]");
  for (int block = 0; block < blocks; ++block) {
    const std::int32_t start = block * kBlockLength;
    add_line(text, "segnale,  " + num(start + kFirstSignalAt) + ",   2, 4, 1,  0, 0,    0,  0,0,0, 0");
    add_line(text, "segnale,  " + num(start + kSecondSignalAt) + ",   1, 4, 1,  0, 0,    1,  3,1,0, 0");
  }
}

}  // namespace

GeneratedScenario generate_scenario(std::int32_t line_length) {
  if (line_length <= 0 || line_length % kBlockLength != 0 || line_length > kLongestLine) {
    throw std::invalid_argument("line length must be a positive multiple of 5000 m up to 1,000,000 m");
  }
  const int blocks = line_length / kBlockLength;
  GeneratedScenario scenario;
  std::string& line = scenario.line_description;
  add_general_line_section(line, line_length);
  add_curves(line, blocks);
  add_gradients(line, line_length);
  add_tunnels(line, blocks);
  add_speed_boards(line, blocks);
  add_indication_boards(line, blocks);
  add_line(line, "[fine]");

  std::string& train = scenario.train_description;
  add_general_train_section(train);
  add_profiles(train, blocks);
  add_stations(train, blocks);
  add_slowdowns(train, blocks);
  add_signals(train, blocks);
  add_line(train, "[codici]");
  add_line(train, "[fine]");
  return scenario;
}

std::string generate_field_text(std::size_t target_bytes) {
  std::string text;
  text.reserve(target_bytes + 256);
  for (std::int64_t position = 0; text.size() < target_bytes; position += 50) {
    add_record(text, "pendenza", {num(position), num(-12 + position % 25)});
    add_record(text, "indicatori_vmax", {num(position), "105", "115", "120", "0", "", "", "", "0"});
    add_line(text, "cartello_indicatore,  " + num(position) + ",   (GALLERIA )(MONTE)(Km 18+510)");
    add_line(text, "orologio,    6               42            40 ");
    add_line(text, "segnale,    " + num(position) + ",   2, 4, 1,  0, 0,    0,  0,0,0, 0");
    add_line(text, "stazione,  " + num(position) +
                       ",  12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   7, 30, 0, STAZIONE CENTRALE");
    add_record(text, "montagna", {num(position), num(position + 1850), "12"}, "   ");
  }
  return text;
}

}  // namespace bench
