// UTF-8 both ways, pinned to the byte: the renamed program's name and its arguments pass
// through here, and no end-to-end case covers every length.
#include "support/utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, EveryLengthBothWays) {
  const std::u16string text = u"\u007F\u0080\u07FF\u0800\uFFFF\U0001D524\U0010FFFF";
  const std::string bytes =
      "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x9D\x94\xA4\xF4\x8F\xBF\xBF";
  EXPECT_EQ(EncodeUtf8(text), bytes);
  EXPECT_EQ(DecodeUtf8(bytes), text);
}

TEST(Utf8, LoneSurrogatesAndMalformedBytesBecomeReplacements) {
  EXPECT_EQ(EncodeUtf8(std::u16string{0xDC00, u'a', 0xD800}), "?a?");
  // Each of: a stray byte, a sequence cut short, an overlong two- and three-byte form, an
  // encoded surrogate, a code point beyond U+10FFFF, and a sequence cut short by the end.
  EXPECT_EQ(DecodeUtf8("\xFF|\xD0|\xC0\xAF|\xE0\x80\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xD0"),
            u"\uFFFD|\uFFFD|\uFFFD\uFFFD|\uFFFD|\uFFFD|\uFFFD|\uFFFD");
}

}  // namespace
