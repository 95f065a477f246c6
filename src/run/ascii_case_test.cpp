#include "run/ascii_case.h"

#include <gtest/gtest.h>

TEST(AsciiCase, ChangesOnlyAsciiLetters) {
  // The neighbours of the letter ranges ('`', '{', '@', '[') and non-ASCII letters stay.
  std::u16string text = u"/clip-{ab9f}-ı-é-ж-z`{@[";
  ToAsciiUpper(text);
  EXPECT_EQ(text, u"/CLIP-{AB9F}-ı-é-ж-Z`{@[");
  text = u"/CLIP-{AB9F}-İ-É-Ж-Z`{@[";
  ToAsciiLower(text);
  EXPECT_EQ(text, u"/clip-{ab9f}-İ-É-Ж-z`{@[");
}

TEST(AsciiCase, DottedCapitalIStaysUntouched) {
  // A Turkish-aware conversion would map these differently; ours never looks at the locale.
  std::u16string lower = u"İI";
  ToAsciiLower(lower);
  EXPECT_EQ(lower, u"İi");
  std::u16string upper = u"ıi";
  ToAsciiUpper(upper);
  EXPECT_EQ(upper, u"ıI");
}
