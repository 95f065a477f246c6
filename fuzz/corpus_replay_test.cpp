// Every seed of the fuzz corpus, judged as the fuzz target judges it, on every platform.
#include <gtest/gtest.h>

#include <string_view>

#include "command_line_check.h"

namespace {

struct Seed {
  const char* name;
  std::string_view bytes;  // UTF-16LE, as the fuzz target reads them
};

constexpr Seed kCorpus[] = {
#include "fuzz_corpus.inc"
};

TEST(FuzzCorpus, EverySeedGivesTheBatchOrTheUsageText) {
  for (const Seed& seed : kCorpus) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < seed.bytes.size(); i += 2)
      text += static_cast<char16_t>(static_cast<unsigned char>(seed.bytes[i]) |
                                    static_cast<unsigned char>(seed.bytes[i + 1]) << 8);
    EXPECT_EQ(CheckCommandLine(text), "") << seed.name;
  }
}

}  // namespace
