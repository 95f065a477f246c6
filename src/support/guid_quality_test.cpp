// The system's GUID source in bulk: every GUID new, version 4 and variant 10 in each, and
// no free bit stuck or biased.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "support/fakes.h"
#include "support/support.h"

namespace {

TEST(GuidQuality, AMillionGuidsAreDistinctAndEveryFreeBitIsFair) {
  constexpr int kDraws = 1000000;
  std::vector<std::array<std::uint64_t, 2>> seen(kDraws);
  std::array<int, 128> ones{};
  std::u16string text;
  for (auto& value : seen) {
    ASSERT_GE(CurrentSupport().asTovrel(text), 0);
    ASSERT_TRUE(ParseGuidText(text).has_value()) << Utf8(text);
    int bit = 0;
    for (const char16_t c : text) {
      if (c == u'{' || c == u'}' || c == u'-') continue;
      const int digit = c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10;
      for (int k = 3; k >= 0; --k, ++bit) {
        if (((digit >> k) & 1) == 0) continue;
        ++ones[bit];
        value[bit / 64] |= std::uint64_t{1} << (63 - bit % 64);
      }
    }
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()) << "a GUID came twice";
  // Bits 48-51 hold the version (0100), bits 64-65 the variant (10); the other 122 are free.
  const std::array<std::pair<int, int>, 6> fixed{
      {{48, 0}, {49, kDraws}, {50, 0}, {51, 0}, {64, kDraws}, {65, 0}}};
  for (int bit = 0; bit < 128; ++bit) {
    const auto rule =
        std::find_if(fixed.begin(), fixed.end(), [bit](const auto& f) { return f.first == bit; });
    if (rule != fixed.end()) {
      EXPECT_EQ(ones[bit], rule->second) << "bit " << bit;
    } else {
      // 0.49 to 0.51 is some 20 standard deviations wide: only a real bias leaves it.
      EXPECT_GE(ones[bit], kDraws * 49 / 100) << "bit " << bit;
      EXPECT_LE(ones[bit], kDraws * 51 / 100) << "bit " << bit;
    }
  }
}

}  // namespace
