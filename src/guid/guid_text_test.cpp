// GUID text: case and braces, checked by shape.
#include "guid/guid_text.h"

#include <gtest/gtest.h>

#include "run/run_options.h"
#include "support/fakes.h"

namespace {

struct Form {
  bool lowerCase;
  bool noBraces;
};

void PrintTo(const Form& f, std::ostream* os) {
  *os << (f.lowerCase ? "lower" : "upper") << (f.noBraces ? ", no braces" : ", braces");
}

class NewGuidTextTest : public ::testing::TestWithParam<Form> {};

TEST_P(NewGuidTextTest, HasTheRequestedShape) {
  FakeWorld world;
  RunOptions.LowerCase = GetParam().lowerCase;
  RunOptions.NoBraces = GetParam().noBraces;
  // Enough GUIDs that both a-f letters and digits turn up.
  for (int i = 0; i < 50; ++i) {
    const std::u16string text = NewGuidText();
    ASSERT_EQ(text.size(), GetParam().noBraces ? 36u : 38u) << Utf8(text);
    const auto shape = ParseGuidText(text);
    ASSERT_TRUE(shape.has_value()) << Utf8(text);
    EXPECT_EQ(shape->braces, !GetParam().noBraces);
    EXPECT_FALSE(GetParam().lowerCase ? shape->hasUpper : shape->hasLower) << Utf8(text);
    EXPECT_EQ(shape->version, 4);
    EXPECT_TRUE(shape->rfcVariant);
  }
}

INSTANTIATE_TEST_SUITE_P(AllForms, NewGuidTextTest,
                         ::testing::Values(Form{false, false}, Form{true, false}, Form{false, true},
                                           Form{true, true}));

TEST(NewGuidText, SetsTheCaseWhateverTheSourceDelivers) {
  FakeWorld world;
  world.support.guids = {u"{abcdef01-2345-4789-8abc-DEF012345678}",
                         u"{ABCDEF01-2345-4789-8ABC-def012345678}"};
  EXPECT_EQ(NewGuidText(), u"{ABCDEF01-2345-4789-8ABC-DEF012345678}");
  RunOptions.LowerCase = true;
  EXPECT_EQ(NewGuidText(), u"{abcdef01-2345-4789-8abc-def012345678}");
}

TEST(NewGuidText, EachBraceIsDroppedOnItsOwn) {
  FakeWorld world;
  RunOptions.NoBraces = true;
  world.support.guids = {u"{ab", u"ab}", u"ab", u"{}", u"{", u"}", u""};
  EXPECT_EQ(NewGuidText(), u"AB");
  EXPECT_EQ(NewGuidText(), u"AB");
  EXPECT_EQ(NewGuidText(), u"AB");
  EXPECT_EQ(NewGuidText(), u"");
  EXPECT_EQ(NewGuidText(), u"");
  EXPECT_EQ(NewGuidText(), u"");
  EXPECT_EQ(NewGuidText(), u"");
  EXPECT_EQ(world.support.CallsTo("asCutLeft"), 3);   // "{ab", "{}", "{"
  EXPECT_EQ(world.support.CallsTo("asCutRight"), 3);  // "ab}", what is left of "{}", "}"
}

TEST(NewGuidText, BracesStayUnlessAsked) {
  FakeWorld world;
  world.support.guids = {u"{ab"};
  EXPECT_EQ(NewGuidText(), u"{AB");
  EXPECT_EQ(world.support.CallsTo("asCutLeft"), 0);
}

TEST(NewGuidText, TwoCallsDiffer) {
  FakeWorld world;
  EXPECT_NE(NewGuidText(), NewGuidText());
}

}  // namespace
