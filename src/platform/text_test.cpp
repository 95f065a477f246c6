// The shared text pieces of the platform: UTF-8 both ways, and the program's name on a
// Windows command line.
#include <gtest/gtest.h>

#include "platform/command_line_text.h"
#include "platform/utf8.h"

// The renamed program's name and its arguments pass through here, and no end-to-end case
// covers every length or malformed input.
TEST(Utf8, EveryLengthBothWaysAndReplacementsForWhatIsMalformed) {
  const std::u16string text = u"\u007F\u0080\u07FF\u0800\uFFFF\U0001D524\U0010FFFF";
  const std::string bytes =
      "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x9D\x94\xA4\xF4\x8F\xBF\xBF";
  EXPECT_EQ(EncodeUtf8(text), bytes);
  EXPECT_EQ(DecodeUtf8(bytes), text);
  EXPECT_EQ(EncodeUtf8(std::u16string{0xDC00, u'a', 0xD800}), "?a?");
  // Each of: a stray byte, a sequence cut short, an overlong two- and three-byte form, an
  // encoded surrogate, a code point beyond U+10FFFF, and a sequence cut short by the end.
  EXPECT_EQ(DecodeUtf8("\xFF|\xD0|\xC0\xAF|\xE0\x80\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xD0"),
            u"\uFFFD|\uFFFD|\uFFFD\uFFFD|\uFFFD|\uFFFD|\uFFFD|\uFFFD");
}

// Where the raw command lines that the end-to-end tests launch do not reach.
TEST(ArgumentsAfterProgramName, QuotedNameEndsAtItsMarkUnquotedAtABlankOutsideMarks) {
  EXPECT_EQ(ArgumentsAfterProgramName(u"C:\\\"no end /9"), u"");
  EXPECT_EQ(ArgumentsAfterProgramName(u"\"C:\\no end /3"), u"");
}
