// The system's support operations.
#include <gtest/gtest.h>

#include <set>

#include "support/fakes.h"
#include "support/system.h"

namespace {

TEST(SupportStrings, TrimRemovesBlanksAtBothEndsOnly) {
  SystemSupport support;
  std::u16string out;
  ASSERT_EQ(support.asTrimEx(u"  \t a  b \r\n ", out), kSupportOk);
  EXPECT_EQ(out, u"a  b");
  ASSERT_EQ(support.asTrimEx(u"    ", out), kSupportOk);
  EXPECT_EQ(out, u"");
  ASSERT_EQ(support.asTrimEx(u"", out), kSupportOk);
  EXPECT_EQ(out, u"");
  ASSERT_EQ(support.asTrimEx(u"\u00A0x\u00A0", out), kSupportOk);  // no-break space is text
  EXPECT_EQ(out, u"\u00A0x\u00A0");
}

TEST(SupportStrings, DestroyDoubleSpacesLeavesSingleSpaces) {
  SystemSupport support;
  std::u16string out;
  ASSERT_EQ(support.asDestroyDoubleSpaces(u"  a   b c    ", out), kSupportOk);
  EXPECT_EQ(out, u" a b c ");
  ASSERT_EQ(support.asDestroyDoubleSpaces(u"a\t\tb", out), kSupportOk);
  EXPECT_EQ(out, u"a\t\tb");  // only spaces
  ASSERT_EQ(support.asDestroyDoubleSpaces(u"", out), kSupportOk);
  EXPECT_EQ(out, u"");
}

TEST(SupportStrings, CutLeftAndRightBoundaries) {
  SystemSupport support;
  std::u16string out;
  ASSERT_EQ(support.asCutLeft(u"{abc}", 1, out), kSupportOk);
  EXPECT_EQ(out, u"abc}");
  ASSERT_EQ(support.asCutRight(u"{abc}", 1, out), kSupportOk);
  EXPECT_EQ(out, u"{abc");
  ASSERT_EQ(support.asCutLeft(u"abc", 0, out), kSupportOk);
  EXPECT_EQ(out, u"abc");
  ASSERT_EQ(support.asCutRight(u"abc", 3, out), kSupportOk);
  EXPECT_EQ(out, u"");
  ASSERT_EQ(support.asCutLeft(u"abc", 4, out), kSupportOk);
  EXPECT_EQ(out, u"");
  ASSERT_EQ(support.asCutRight(u"", 1, out), kSupportOk);
  EXPECT_EQ(out, u"");
  EXPECT_LT(support.asCutLeft(u"abc", -1, out), 0);
  EXPECT_LT(support.asCutRight(u"abc", -1, out), 0);
}

TEST(SupportStrings, FormatVersionPadsMinorAndRevision) {
  SystemSupport support;
  std::u16string out;
  ASSERT_EQ(support.asFormatVersion(2, 0, 16, out), kSupportOk);
  EXPECT_EQ(out, u"2.00.0016");
  ASSERT_EQ(support.asFormatVersion(10, 5, 123, out), kSupportOk);
  EXPECT_EQ(out, u"10.05.0123");
  ASSERT_EQ(support.asFormatVersion(0, 123, 65535, out), kSupportOk);
  EXPECT_EQ(out, u"0.123.65535");
  ASSERT_EQ(support.asFormatVersion(-1, 2, INT32_MIN, out), kSupportOk);
  EXPECT_EQ(out, u"-1.02.-2147483648");
}

TEST(SupportGuid, BracedVersionFourGuidsAllDifferent) {
  SystemSupport support;
  std::set<std::u16string> seen;
  for (int i = 0; i < 1000; ++i) {
    std::u16string text;
    ASSERT_EQ(support.asTovrel(text), kSupportOk);
    const auto shape = ParseGuidText(text);
    ASSERT_TRUE(shape.has_value()) << Utf8(text);
    EXPECT_TRUE(shape->braces);
    EXPECT_EQ(shape->version, 4);
    EXPECT_TRUE(shape->rfcVariant);
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 1000u);
}

TEST(SupportStart, ServicesSucceedOutsideTheDevelopmentEnvironment) {
  SystemSupport support;
  bool inIde = true;
  ASSERT_EQ(support.asIsInIDE(inIde), kSupportOk);
  EXPECT_FALSE(inIde);
  std::u16string path;
  ASSERT_EQ(support.asRegisterAppPath(path), kSupportOk);
  EXPECT_FALSE(path.empty());
  WindowHandle window = 0;
  ASSERT_EQ(support.asGetThunderMainHandle(window), kSupportOk);
  EXPECT_GE(support.asSetWindowResIconAll(window, u"A_MAIN"), 0);
}

TEST(GuidShapeParser, RejectsWhatIsNotAGuid) {
  // The test parser itself: a lenient parser would let broken output through.
  EXPECT_TRUE(ParseGuidText(u"{01234567-89AB-4DEF-8123-456789ABCDEF}").has_value());
  EXPECT_TRUE(ParseGuidText(u"01234567-89ab-4def-b123-456789abcdef").has_value());
  EXPECT_FALSE(ParseGuidText(u"{01234567-89AB-4DEF-8123-456789ABCDEF").has_value());
  EXPECT_FALSE(ParseGuidText(u"01234567-89AB-4DEF-8123-456789ABCDEF}").has_value());
  EXPECT_FALSE(ParseGuidText(u"0123456789AB-4DEF-8123-456789ABCDEF-").has_value());
  EXPECT_FALSE(ParseGuidText(u"01234567-89AB-4DEF-8123-456789ABCDEG").has_value());
  EXPECT_FALSE(ParseGuidText(u"").has_value());
  EXPECT_EQ(ParseGuidText(u"01234567-89ab-1def-c123-456789abcdef")->version, 1);
  EXPECT_FALSE(ParseGuidText(u"01234567-89ab-4def-c123-456789abcdef")->rfcVariant);
}

}  // namespace
