// The system's GUID source in bulk: every GUID new, version 4 and variant 10 in each, and
// no free bit stuck or biased.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "support/fakes.h"

namespace {

TEST(GuidQuality, AMillionGuidsAreDistinctAndEveryFreeBitIsFair) {
  constexpr int kDraws = 1000000;
  std::vector<std::array<std::uint8_t, 16>> seen;
  std::array<int, 128> ones{};
  std::u16string text;
  for (int i = 0; i < kDraws; ++i) {
    ASSERT_GE(CurrentSupport().asTovrel(text), 0);
    const auto shape = ParseGuidText(text);
    ASSERT_TRUE(shape && shape->version4) << EncodeUtf8(text);
    seen.push_back(shape->bytes);
    for (int bit = 0; bit < 128; ++bit) ones[bit] += shape->bytes[bit / 8] >> (7 - bit % 8) & 1;
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()) << "a GUID came twice";
  for (int bit = 0; bit < 128; ++bit) {
    if ((bit >= 48 && bit < 52) || bit == 64 || bit == 65) continue;  // the version and variant
    // 0.49 to 0.51 is some 20 standard deviations wide: only a real bias leaves it.
    EXPECT_NEAR(ones[bit], kDraws / 2, kDraws / 100) << "bit " << bit;
  }
}

}  // namespace
