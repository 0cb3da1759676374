#include "compiler/records.h"

#include <algorithm>
#include <vector>

#include "compiler/text.h"

namespace compiler {
namespace {

using enum FieldType;
using enum RecordGroup;

constexpr FieldSpec kLengthFields[] = {{"length", kInt32}};
constexpr FieldSpec kChainageFields[] = {{"position", kInt32}, {"value", kInt32}, {"flag", kInt32}};
constexpr FieldSpec kSelectorFields[] = {{"selector", kInt32}};
constexpr FieldSpec kRepetitionFields[] = {{"start", kInt32}, {"end", kInt32}};
constexpr FieldSpec kGradientFields[] = {{"position", kInt32}, {"gradient", kInt32}};
constexpr FieldSpec kCurveFields[] = {{"start", kInt32}, {"length", kInt32}};
constexpr FieldSpec kMountainFields[] = {{"start", kInt32}, {"end", kInt32}, {"type", kInt32}};
constexpr FieldSpec kSpeedBoardFields[] = {{"position", kInt32}, {"vas", kInt32},      {"vbs", kInt32},
                                           {"vcs", kInt32},      {"strisces", kInt32}, {"vad", kInt32},
                                           {"vbd", kInt32},      {"vcd", kInt32},      {"strisced", kInt32}};
constexpr FieldSpec kIndicationFields[] = {{"position", kInt32}, {"text", kText}};

constexpr FieldSpec kPercentageFields[] = {{"percentage", kInt32}};
constexpr FieldSpec kCarsFields[] = {{"cars", kInt32}};
constexpr FieldSpec kSpeedFields[] = {{"position", kInt32}, {"speed", kInt32}};
constexpr FieldSpec kAdhesionFields[] = {{"position", kInt32}, {"adhesion", kInt32}};
constexpr FieldSpec kClockFields[] = {{"hours", kInt16}, {"minutes", kInt16}, {"seconds", kInt16}};
constexpr FieldSpec kSandFields[] = {{"sand", kInt16}};
constexpr FieldSpec kSignalFields[] = {{"position", kInt32}, {"sx", kInt32}, {"s1", kInt32}, {"s2", kInt32},
                                       {"s3", kInt32},       {"rapp", kInt32}, {"dx", kInt32}, {"d1", kInt32},
                                       {"d2", kInt32},       {"d3", kInt32}, {"tempo", kInt32}};
constexpr FieldSpec kSlowdownFields[] = {{"start", kInt32}, {"speed", kInt32}, {"length", kInt32},
                                         {"f_tt", kInt32},  {"f_ta", kInt32},  {"d_v", kInt32}};
constexpr FieldSpec kLoweringFields[] = {{"position", kInt32}, {"value", kInt32}};
constexpr FieldSpec kStationFields[] = {
    {"position", kInt32}, {"kind", kByte},   {"length", kInt32}, {"flag", kByte},     {"byte4", kByte},
    {"extension", kByte}, {"word1", kInt16}, {"word2", kInt16},  {"byte1", kByte},    {"word3", kInt16},
    {"word4", kInt16},    {"word5", kInt16}, {"byte2", kByte},   {"hours", kInt32},   {"minutes", kInt32},
    {"seconds", kInt32},  {"name", kText}};

constexpr std::int32_t kReadOnly[] = {25};
constexpr std::int32_t kLengthErrors[] = {1, 25};
constexpr std::int32_t kChainageErrors[] = {2, 25};
constexpr std::int32_t kRepetitionErrors[] = {3, 4, 5, 25};
constexpr std::int32_t kPlacedErrors[] = {15, 25};
constexpr std::int32_t kCurveErrors[] = {15, 103, 25};
constexpr std::int32_t kSpeedBoardErrors[] = {15, 21, 25};
constexpr std::int32_t kIndicationErrors[] = {15, 6, 25};
constexpr std::int32_t kSignalErrors[] = {15, 16, 25};
constexpr std::int32_t kSlowdownErrors[] = {15, 17, 18, 19, 20, 13, 12, 11, 25};
constexpr std::int32_t kLoweringErrors[] = {15, 7, 25};
constexpr std::int32_t kStationErrors[] = {15, 8, 9, 24, 22, 10, 25};

constexpr RecordSpec kSpecs[] = {
    {RecordId::kLineLength, kLineGeneral, "lunghezza percorso", "[generale]", {"percorso", "lunghezza"}, false,
     kLengthFields, kLengthErrors},
    {RecordId::kChainageTre, kLineGeneral, "progressiva chilometrica tre", "[generale]", {"tre", "progressiva"}, true,
     kChainageFields, kChainageErrors},
    {RecordId::kChainageDue, kLineGeneral, "progressiva chilometrica due", "[generale]", {"due", "progressiva"}, true,
     kChainageFields, kChainageErrors},
    {RecordId::kChainageUno, kLineGeneral, "progressiva chilometrica uno", "[generale]", {"uno", "progressiva"}, true,
     kChainageFields, kChainageErrors},
    {RecordId::kBackgroundUno, kLineGeneral, "sfondo uno", "[generale]", {"sfondo", "uno"}, true, kSelectorFields,
     kReadOnly},
    {RecordId::kBackgroundDue, kLineGeneral, "sfondo due", "[generale]", {"sfondo", "due"}, true, kSelectorFields,
     kReadOnly},
    {RecordId::kBackgroundTre, kLineGeneral, "sfondo tre", "[generale]", {"sfondo", "tre"}, true, kSelectorFields,
     kReadOnly},
    {RecordId::kSignalRepetition, kLineGeneral, "ripetizione segnali 4 codici", "[generale]",
     {"segnali", "ripetizione"}, true, kRepetitionFields, kRepetitionErrors},

    {RecordId::kGradient, kLineRecords, "pendenza", "[pendenze]", {"pendenza", ""}, false, kGradientFields,
     kPlacedErrors},
    {RecordId::kCurve, kLineRecords, "curva", "[curve]", {"curva", ""}, false, kCurveFields, kCurveErrors},
    {RecordId::kMountain, kLineRecords, "montagna", "[montagne]", {"montagna", ""}, false, kMountainFields,
     kPlacedErrors},
    {RecordId::kSpeedBoards, kLineRecords, "indicatori_vmax", "[cartelli]", {"indicatori_v", ""}, false,
     kSpeedBoardFields, kSpeedBoardErrors},
    {RecordId::kIndicationBoard, kLineRecords, "cartello_indicatore", "[indicazioni]", {"indicat", "cartello"}, false,
     kIndicationFields, kIndicationErrors},

    {RecordId::kBrakedMass, kTrain, "percentuale massa frenata", "[generale]", {"frenata", "massa"}, false,
     kPercentageFields, kReadOnly},
    {RecordId::kCars, kTrain, "numero vetture", "[generale]", {"vetture", ""}, false, kCarsFields, kReadOnly},
    {RecordId::kSpeedLimit, kTrain, "velocita", "[vel_limite]", {"velocit", ""}, false, kSpeedFields,
     kPlacedErrors},
    {RecordId::kAdhesion, kTrain, "aderenza", "[aderenze]", {"aderenza", ""}, false, kAdhesionFields,
     kPlacedErrors},
    {RecordId::kClock, kTrain, "orologio", "[generale]", {"orologio", ""}, false, kClockFields, kReadOnly},
    {RecordId::kSand, kTrain, "sabbia", "[generale]", {"sabbia", ""}, false, kSandFields, kReadOnly},
    {RecordId::kSignal, kTrain, "segnale", "[segnali]", {"segnale", ""}, false, kSignalFields, kSignalErrors},
    {RecordId::kSlowdown, kTrain, "rallentamento", "[rallentamenti]", {"rallentamento", ""}, false,
     kSlowdownFields, kSlowdownErrors},
    {RecordId::kLowering, kTrain, "abbattimento", "[rallentamenti]", {"abbattimento", ""}, false, kLoweringFields,
     kLoweringErrors},
    {RecordId::kStation, kTrain, "stazione", "[stazioni]", {"stazione", ""}, false, kStationFields,
     kStationErrors},
};

constexpr std::string_view kLineHeaders[] = {"[generale]", "[curve]",       "[pendenze]", "[montagne]",
                                             "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::string_view kTrainHeaders[] = {"[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
                                              "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};

// Edits (insert, delete, replace, swap two neighbours) from a to b.
std::size_t edit_distance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t replace = d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, replace});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string_view description_name(Description description) {
  return description == Description::kLine ? "line" : "train";
}

Description description_of(RecordGroup group) {
  return group == RecordGroup::kTrain ? Description::kTrain : Description::kLine;
}

std::span<const RecordSpec> record_specs() { return kSpecs; }

std::span<const RecordSpec> records_of(RecordGroup group) {
  const auto first = std::find_if(std::begin(kSpecs), std::end(kSpecs),
                                  [group](const RecordSpec& spec) { return spec.group == group; });
  const auto last = std::find_if(first, std::end(kSpecs), [group](const RecordSpec& spec) { return spec.group != group; });
  return {first, last};
}

const RecordSpec& record_spec(RecordId id) {
  return *std::find_if(std::begin(kSpecs), std::end(kSpecs), [id](const RecordSpec& spec) { return spec.id == id; });
}

bool keyword_matches(const RecordSpec& spec, std::string_view field) {
  for (const std::string_view word : spec.words) {
    if (word.empty()) continue;
    if (spec.cased ? !contains(field, word) : !contains_ignoring_case(field, word)) return false;
  }
  return true;
}

std::span<const std::string_view> section_headers(Description description) {
  if (description == Description::kLine) return kLineHeaders;
  return kTrainHeaders;
}

std::optional<std::string> nearest_known_word(Description description, std::string_view field) {
  const std::string typed = to_lower_1252(trimmed(field));
  // A long field is not a misspelt keyword, and would cost time to compare.
  if (typed.empty() || typed.size() > 64) return std::nullopt;
  std::vector<std::string> known;
  if (typed.find('[') != std::string::npos || typed.find(']') != std::string::npos) {
    for (const std::string_view header : section_headers(description)) known.emplace_back(header);
  } else {
    for (const RecordSpec& spec : kSpecs) {
      if (description_of(spec.group) != description) continue;
      if (spec.id == RecordId::kCurve) {
        // A curve keyword carries its side and radius: curvas1 .. curvad6.
        for (const char side : {'s', 'd'}) {
          for (char digit = '1'; digit <= '6'; ++digit) known.push_back(std::string("curva") + side + digit);
        }
      } else {
        known.emplace_back(spec.keyword);
      }
    }
  }
  std::optional<std::string> best;
  std::size_t best_distance = 0;
  for (const std::string& word : known) {
    const std::size_t distance = edit_distance(typed, word);
    // Near enough to be a slip of the keyboard, not another word.
    if (distance > 3 || distance * 3 > word.size()) continue;
    if (!best || distance < best_distance) {
      best = word;
      best_distance = distance;
    }
  }
  return best;
}

}  // namespace compiler
