#pragma once
// A generated scenario for measuring the compile at scale: a line of any
// length (a multiple of 5000 m, up to the longest the format allows) with
// curves, gradients, tunnels, boards, stations, signals, slowdowns and
// lowering records all along, written as the two description texts.
//
// The line is laid out in 5000 m blocks. Every object of a block keeps to
// its own cells, so no record is refused and the compile ends clean.

#include <cstdint>
#include <string>

namespace bench {

inline constexpr std::int32_t kBlockLength = 5000;
inline constexpr std::int32_t kLongestLine = 1'000'000;
// The identifiers its files are named by.
inline constexpr const char* kGeneratedScenarioId = "Linea_Lunga";
inline constexpr const char* kGeneratedTrainId = "9001";

struct GeneratedScenario {
  std::string line_description;   // bytes of <scenario>_linea.txt
  std::string train_description;  // bytes of <scenario>_<train>-.txt
};

// line_length: metres, a positive multiple of kBlockLength, at most
// kLongestLine.
GeneratedScenario generate_scenario(std::int32_t line_length);

// A description text of about target_bytes made of the record shapes both
// description files use (numbers, empty numbers, blank-separated numbers,
// board and station texts), for measuring the field reader alone. Every
// record is one of kFieldReaderShapes, in the order they are listed,
// repeated.
std::string generate_field_text(std::size_t target_bytes);

// How a record of generate_field_text() is read: its keyword, then
// `numbers` 32-bit numbers, then (when ends_with_text) one text field.
struct RecordShape {
  const char* keyword;
  int numbers;
  bool ends_with_text;
};
inline constexpr RecordShape kFieldReaderShapes[] = {
    {"pendenza", 2, false},
    {"indicatori_vmax", 9, false},
    {"cartello_indicatore", 1, true},
    {"orologio", 3, false},
    {"segnale", 11, false},
    {"stazione", 16, true},
    {"montagna", 3, false},
};

}  // namespace bench
