// Every seed of the fuzz corpus, judged as the fuzz target judges it, on every platform.
#include <gtest/gtest.h>

#include <string_view>
#include <utility>

#include "command_line_check.h"

namespace {

// Each seed's name and its UTF-16LE bytes, as the fuzz target reads them.
constexpr std::pair<const char*, std::string_view> kCorpus[] = {
#include "fuzz_corpus.inc"
};

TEST(FuzzCorpus, EverySeedGivesTheBatchOrTheUsageText) {
  for (const auto& [name, bytes] : kCorpus) EXPECT_EQ(CheckCommandLine(bytes), "") << name;
}

}  // namespace
