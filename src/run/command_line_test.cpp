// The command line: normalisation, the switch table, and where parsing stops.
#include <gtest/gtest.h>

#include "run/run.h"
#include "run/run_options.h"
#include "support/fakes.h"

namespace {

class ParseCommandLineTest : public ::testing::Test {
 protected:
  bool Parse(std::u16string arguments) {
    world.platform.argumentText = std::move(arguments);
    return ParseCommandLine();
  }
  FakeWorld world;
};

TEST_F(ParseCommandLineTest, NoArgumentsKeepTheDefaults) {
  for (const char16_t* blank : {u"", u"   ", u"\t\t", u"\"\" \"\"", u" \r\n \"\t\" "}) {
    RunOptions.Count = 7;  // must be reset, not kept from an earlier run
    RunOptions.Clip = true;
    ASSERT_TRUE(Parse(blank)) << Utf8(blank);
    EXPECT_FALSE(RunOptions.NoLogo);
    EXPECT_EQ(RunOptions.Count, 1);
    EXPECT_FALSE(RunOptions.LowerCase);
    EXPECT_FALSE(RunOptions.NoBraces);
    EXPECT_FALSE(RunOptions.Unicode);
    EXPECT_FALSE(RunOptions.Clip);
  }
  EXPECT_TRUE(world.platform.standardOutput.empty());
}

TEST_F(ParseCommandLineTest, EachFlagSetsItsFieldAlone) {
  struct Row {
    const char16_t* argument;
    bool RunSettings::*field;
  };
  const Row rows[] = {
      {u"/NoLogo", &RunSettings::NoLogo},     {u"/LCase", &RunSettings::LowerCase},
      {u"/NoBraces", &RunSettings::NoBraces}, {u"/Unicode", &RunSettings::Unicode},
      {u"/Clip", &RunSettings::Clip},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(Parse(row.argument)) << Utf8(row.argument);
    for (const Row& other : rows) {
      EXPECT_EQ(RunOptions.*(other.field), other.field == row.field)
          << Utf8(row.argument) << " vs " << Utf8(other.argument);
    }
    EXPECT_EQ(RunOptions.Count, 1);
  }
}

TEST_F(ParseCommandLineTest, CountSwitchesOneToNine) {
  for (int n = 1; n <= 9; ++n) {
    std::u16string argument = u"/";
    argument += static_cast<char16_t>(u'0' + n);
    ASSERT_TRUE(Parse(argument));
    EXPECT_EQ(RunOptions.Count, n);
  }
}

TEST_F(ParseCommandLineTest, AnyLetterCaseMatches) {
  for (const char16_t* spelling : {u"/nologo", u"/NoLogo", u"/NOLOGO", u"/nOlOgO"}) {
    ASSERT_TRUE(Parse(spelling)) << Utf8(spelling);
    EXPECT_TRUE(RunOptions.NoLogo);
  }
}

TEST_F(ParseCommandLineTest, LaterCountWins) {
  ASSERT_TRUE(Parse(u"/3 /5"));
  EXPECT_EQ(RunOptions.Count, 5);
  ASSERT_TRUE(Parse(u"/5 /3"));
  EXPECT_EQ(RunOptions.Count, 3);
}

TEST_F(ParseCommandLineTest, RepeatedFlagsChangeNothing) {
  ASSERT_TRUE(Parse(u"/clip /CLIP /Clip /lcase /lcase"));
  EXPECT_TRUE(RunOptions.Clip);
  EXPECT_TRUE(RunOptions.LowerCase);
  EXPECT_EQ(RunOptions.Count, 1);
}

TEST_F(ParseCommandLineTest, QuotesTabsAndLineBreaksSeparateLikeSpaces) {
  ASSERT_TRUE(Parse(u"\"/3\"\t/lcase\r\n/nobraces\r/unicode\n\"/clip\""));
  EXPECT_EQ(RunOptions.Count, 3);
  EXPECT_TRUE(RunOptions.LowerCase);
  EXPECT_TRUE(RunOptions.NoBraces);
  EXPECT_TRUE(RunOptions.Unicode);
  EXPECT_TRUE(RunOptions.Clip);
}

TEST_F(ParseCommandLineTest, EmptyQuotedArgumentVanishes) {
  ASSERT_TRUE(Parse(u"/3 \"\" /5"));
  EXPECT_EQ(RunOptions.Count, 5);
}

TEST_F(ParseCommandLineTest, QuotesJoinedToSwitchesSplitThem) {
  // A quotation mark becomes a space, so these are two switches, not one token.
  ASSERT_TRUE(Parse(u"/3\"/lcase\""));
  EXPECT_EQ(RunOptions.Count, 3);
  EXPECT_TRUE(RunOptions.LowerCase);
}

TEST_F(ParseCommandLineTest, UnknownTokensGiveTheUsageText) {
  for (const char16_t* bad : {u"/0", u"/10", u"-3", u"/?", u"/HELP", u"/help", u"3", u"/", u"/3/5",
                              u"nologo", u"/no logo", u"\\3", u"/clip\\", u"/nologo/lcase"}) {
    world.platform.standardOutput.clear();
    EXPECT_FALSE(Parse(bad)) << Utf8(bad);
    EXPECT_NE(world.platform.standardOutput.find("[/? | /Help]"), std::string::npos) << Utf8(bad);
  }
}

TEST_F(ParseCommandLineTest, SwitchesOnlyMatchAsciiLetters) {
  // Non-ASCII look-alikes never become switches: dotless i, Kelvin sign, long s.
  for (const char16_t* lookalike : {u"/cl\u0131p", u"/nobraces\u212A", u"/clip\u017F",
                                    u"/\uFF2E\uFF2F\uFF2C\uFF2F\uFF27\uFF2F"}) {
    EXPECT_FALSE(Parse(lookalike)) << Utf8(lookalike);
  }
}

TEST_F(ParseCommandLineTest, UnknownTokenStopsWithEarlierSwitchesKept) {
  EXPECT_FALSE(Parse(u"/unicode /3 /bad /clip /lcase"));
  EXPECT_TRUE(RunOptions.Unicode);
  EXPECT_EQ(RunOptions.Count, 3);
  EXPECT_FALSE(RunOptions.Clip);  // never reached
  EXPECT_FALSE(RunOptions.LowerCase);
}

TEST_F(ParseCommandLineTest, UnicodeBeforeABadTokenWritesTheUsageAsUtf16) {
  ASSERT_FALSE(Parse(u"/unicode /x"));
  const std::string out = world.platform.standardOutput;
  ASSERT_GE(out.size(), 4u);
  EXPECT_EQ(out.substr(0, 4), std::string("Q\0u\0", 4));  // "Qu", no byte-order mark
  EXPECT_EQ(out.size() % 2, 0u);

  world.platform.standardOutput.clear();
  ASSERT_FALSE(Parse(u"/x /unicode"));
  EXPECT_EQ(world.platform.standardOutput.substr(0, 3), "Quo");
}

TEST_F(ParseCommandLineTest, ClipBeforeABadTokenLeavesTheClipboardAlone) {
  ASSERT_FALSE(Parse(u"/clip /bad"));
  EXPECT_FALSE(world.platform.clipboard.has_value());
  EXPECT_EQ(world.support.CallsTo("asTovrel"), 0);
}

TEST_F(ParseCommandLineTest, TheDevelopmentLineReplacesTheRealOne) {
  EXPECT_EQ(DevTestCommandLine.size(), 44u);
  world.support.inIde = true;
  ASSERT_TRUE(Parse(u"/bad /unicode"));  // ignored
  EXPECT_EQ(RunOptions.Count, 5);
  EXPECT_TRUE(RunOptions.LowerCase);
  EXPECT_TRUE(RunOptions.NoBraces);
  EXPECT_TRUE(RunOptions.Clip);
  EXPECT_FALSE(RunOptions.Unicode);
  EXPECT_FALSE(RunOptions.NoLogo);
}

TEST_F(ParseCommandLineTest, NormalisationGoesThroughTheSupportOperations) {
  ASSERT_TRUE(Parse(u"  /3   /4 "));
  EXPECT_EQ(world.support.CallsTo("asTrimEx"), 1);
  EXPECT_EQ(world.support.CallsTo("asDestroyDoubleSpaces"), 1);
  for (const char* operation : {"asIsInIDE", "asTrimEx", "asDestroyDoubleSpaces"}) {
    world.support.failing = operation;
    world.platform.standardOutput.clear();
    try {
      Parse(u"/3");
      ADD_FAILURE() << operation << " failed without ending the parse";
    } catch (const SupportFailure& failure) {
      EXPECT_STREQ(failure.operation, operation);
      EXPECT_EQ(failure.status, world.support.failStatus);
    }
    EXPECT_TRUE(world.platform.standardOutput.empty());
  }
}

}  // namespace
