// The program's name on a Windows command line, where the raw command lines that the
// end-to-end tests launch do not reach.
#include "support/command_line_text.h"

#include <gtest/gtest.h>

namespace {

TEST(ArgumentsAfterProgramName, QuotedNameEndsAtItsMarkUnquotedAtABlank) {
  EXPECT_EQ(ArgumentsAfterProgramName(u"C:\\\"a b\"\\T.exe /9"), u"b\"\\T.exe /9");
  EXPECT_EQ(ArgumentsAfterProgramName(u"\"C:\\no end /3"), u"");
  EXPECT_EQ(ArgumentsAfterProgramName(u"\"C:\\Tools\\Tovrel.exe\"/2"), u"/2");
}

}  // namespace
