#include "support/command_line_text.h"

#include <gtest/gtest.h>

namespace {

TEST(ArgumentsAfterProgramName, PlainNameEndsAtTheFirstBlank) {
  EXPECT_EQ(ArgumentsAfterProgramName(u"Tovrel.exe /3 /lcase"), u"/3 /lcase");
  EXPECT_EQ(ArgumentsAfterProgramName(u"Tovrel\t \t/3  "), u"/3  ");
  EXPECT_EQ(ArgumentsAfterProgramName(u"C:\\Tools\\Tovrel.exe"), u"");
  EXPECT_EQ(ArgumentsAfterProgramName(u""), u"");
}

TEST(ArgumentsAfterProgramName, QuotedNameRunsToItsClosingMark) {
  EXPECT_EQ(ArgumentsAfterProgramName(u"\"C:\\Program Files\\Q\\Tovrel.exe\" /3"), u"/3");
  EXPECT_EQ(ArgumentsAfterProgramName(u"\"C:\\a b\\T.exe\"\t\"/3\" \"\" /5"), u"\"/3\" \"\" /5");
  EXPECT_EQ(ArgumentsAfterProgramName(u"\"C:\\no end /3"), u"");
  EXPECT_EQ(ArgumentsAfterProgramName(u"\"C:\\Tools\\Tovrel.exe\"/2"), u"/2");
}

TEST(ArgumentsAfterProgramName, RestIsKeptAsTyped) {
  // Backslashes and quotes of the arguments are not interpreted.
  EXPECT_EQ(ArgumentsAfterProgramName(u"t \\\"/3\\\" \\\\"), u"\\\"/3\\\" \\\\");
  EXPECT_EQ(ArgumentsAfterProgramName(u"t /3\r\n/5 "), u"/3\r\n/5 ");
}

TEST(ArgumentsAfterProgramName, UnquotedNameEndsAtABlankEvenAfterAQuote) {
  EXPECT_EQ(ArgumentsAfterProgramName(u"C:\\\"a b\"\\T.exe /9"), u"b\"\\T.exe /9");
}

}  // namespace
