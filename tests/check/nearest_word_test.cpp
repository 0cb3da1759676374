// The "did you mean" of an unknown keyword or section header: which known
// word is near enough to a field to be a slip of the keyboard, and which
// fields are too far from every word, or too long, to be one.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "reading/records.h"

namespace {

using compiler::Description;

struct NearestCase {
  Description description;
  std::string field;
  std::optional<std::string> nearest;
};

TEST(NearestKnownWord, FindsTheWordASlipOfTheKeyboardMissed) {
  const NearestCase cases[] = {
      // One edit of each kind: replace, insert, delete, swap of neighbours.
      {Description::kTrain, "segnalr", "segnale"},
      {Description::kTrain, "segnalle", "segnale"},
      {Description::kTrain, "segnal", "segnale"},
      {Description::kTrain, "segnael", "segnale"},
      // Case and the blanks around the field do not count.
      {Description::kLine, "  PENDENZE ", "pendenza"},
      // A curve keyword is known with its side and radius digit.
      {Description::kLine, "curvs3", "curvas3"},
      // Headers are compared with headers, keywords with keywords.
      {Description::kLine, "[pendenz]", "[pendenze]"},
      {Description::kTrain, "[segnal]", "[segnali]"},
      // Each description knows only its own words.
      {Description::kLine, "segnael", std::nullopt},
      // Three edits are a slip in a long word ...
      {Description::kTrain, "rallentamenxyz", "rallentamento"},
      // ... but not four, nor a third of a short word's letters.
      {Description::kTrain, "rallentamwxyz", std::nullopt},
      {Description::kTrain, "sxgnxlx", std::nullopt},
      // A field far longer than any keyword, or one of more than 64 bytes,
      // is no misspelt keyword; nor is an empty one.
      {Description::kTrain, "segnale con un commento lungo", std::nullopt},
      {Description::kTrain, std::string(65, 's'), std::nullopt},
      {Description::kTrain, "   ", std::nullopt},
  };
  for (const NearestCase& c : cases) {
    EXPECT_EQ(compiler::nearest_known_word(c.description, c.field), c.nearest) << "field '" << c.field << "'";
  }
}

}  // namespace
