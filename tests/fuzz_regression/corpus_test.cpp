// Every input in the fuzz seed corpora, replayed through its target in the
// ordinary test run, so that a fixed crash stays fixed.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fuzz/targets/fuzz_targets.h"
#include "support/temp_dir.h"

namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

void replay_corpus(const std::string& name, Target target) {
  const std::filesystem::path folder = std::filesystem::path(FUZZ_CORPUS_DIR) / name;
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
  std::size_t replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string bytes = testing_support::read_file(entry.path().string());
    SCOPED_TRACE(entry.path().string());
    EXPECT_EQ(target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
    ++replayed;
  }
  EXPECT_GT(replayed, 0u) << "the corpus of " << name << " is empty";
}

TEST(FuzzCorpus, FieldReader) { replay_corpus("field_reader", fuzz::field_reader); }
TEST(FuzzCorpus, Compile) { replay_corpus("compile", fuzz::compile); }
TEST(FuzzCorpus, Decoders) { replay_corpus("decoders", fuzz::decoders); }
TEST(FuzzCorpus, LanguageServer) { replay_corpus("lsp", fuzz::lsp); }

}  // namespace
