#include "support/utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, EncodesTheLabelToPinnedBytes) {
  EXPECT_EQ(EncodeUtf8(u"Новый GUID:"),
            "\xD0\x9D\xD0\xBE\xD0\xB2\xD1\x8B\xD0\xB9\x20\x47\x55\x49\x44\x3A");
}

TEST(Utf8, EncodesEveryLengthAndSurrogatePairs) {
  EXPECT_EQ(EncodeUtf8(u"\u007F\u0080\u07FF\u0800\uFFFF"),
            "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
  EXPECT_EQ(EncodeUtf8(u"\U0001D524\U0010FFFF"), "\xF0\x9D\x94\xA4\xF4\x8F\xBF\xBF");
}

TEST(Utf8, LoneSurrogatesBecomeQuestionMarks) {
  EXPECT_EQ(EncodeUtf8(std::u16string{u'a', 0xD800, u'b'}), "a?b");
  EXPECT_EQ(EncodeUtf8(std::u16string{0xDC00, 0xD800}), "??");
  EXPECT_EQ(EncodeUtf8(std::u16string{0xD800}), "?");
}

TEST(Utf8, DecodesWhatItEncodes) {
  const std::u16string text = u"/clip Новый \U0001D524 \uFFFD";
  EXPECT_EQ(DecodeUtf8(EncodeUtf8(text)), text);
}

TEST(Utf8, MalformedBytesBecomeReplacementCharacters) {
  EXPECT_EQ(DecodeUtf8("a\xFF"
                       "b"),
            u"a\uFFFDb");
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");    // overlong lead is invalid
  EXPECT_EQ(DecodeUtf8("\xE0\x80\xAF"), u"\uFFFD");      // overlong three-byte form
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), u"\uFFFD");      // encoded surrogate
  EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), u"\uFFFD");  // beyond U+10FFFF
  EXPECT_EQ(DecodeUtf8("\xD0"), u"\uFFFD");              // cut short at the end
  EXPECT_EQ(DecodeUtf8("\xD0/3"), u"\uFFFD/3");          // cut short before ASCII
}

}  // namespace
