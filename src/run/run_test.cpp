// Whole runs through fakes: start-up order, the batch, failures and exit statuses.
#include "run/run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fakes.h"

namespace {

constexpr char16_t kHeader[] =
    u"Quorbix - Tovrel, ver. 2.00.0016\r\n"
    u"Copyright (C) 2026 Quorbix\r\n"
    u"\r\n"
    u"Новый GUID:\r\n";

class MainTest : public ::testing::Test {
 protected:
  int Run(std::u16string arguments) {
    world.platform.argumentText = std::move(arguments);
    return Main();
  }
  std::u16string Output() const { return Utf16(world.platform.standardOutput); }
  // The GUID lines after the header; fails the test when the header is not there.
  std::vector<std::u16string> GuidLines() const {
    std::u16string out = Output();
    EXPECT_EQ(out.rfind(kHeader, 0), 0u) << Utf8(out);
    out.erase(0, std::u16string_view(kHeader).size());
    const auto lines = SplitCrLfLines(out);
    EXPECT_TRUE(lines.has_value()) << "GUID output must end every line with CR LF";
    return lines.value_or(std::vector<std::u16string>{});
  }
  FakeWorld world;
};

TEST_F(MainTest, DefaultRunPrintsHeaderAndOneUpperCaseBracedGuid) {
  EXPECT_EQ(Run(u""), kExitOk);
  const auto lines = GuidLines();
  ASSERT_EQ(lines.size(), 1u);
  const auto shape = ParseGuidText(lines[0]);
  ASSERT_TRUE(shape.has_value()) << Utf8(lines[0]);
  EXPECT_TRUE(shape->braces);
  EXPECT_FALSE(shape->hasLower);
  EXPECT_EQ(shape->version, 4);
  EXPECT_TRUE(shape->rfcVariant);
  EXPECT_TRUE(world.platform.standardError.empty());
  EXPECT_FALSE(world.platform.clipboard.has_value());
}

TEST_F(MainTest, StartUpOrderAndTheIconStep) {
  ASSERT_EQ(Run(u"/nologo"), kExitOk);
  const std::vector<std::string> expected = {"asRegisterAppPath", "asIsInIDE",
                                             "asGetThunderMainHandle", "asSetWindowResIconAll",
                                             "asIsInIDE"};
  ASSERT_GE(world.support.calls.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(world.support.calls.begin(),
                                     world.support.calls.begin() + expected.size()),
            expected);
  ASSERT_FALSE(world.platform.events.empty());
  EXPECT_EQ(world.platform.events.front(), "controls");
}

TEST_F(MainTest, UnicodeHeaderCarriesTheLabelAsUtf16) {
  ASSERT_EQ(Run(u"/unicode"), kExitOk);
  // "Новый" as UTF-16LE code units.
  const std::string label("\x1D\x04\x3E\x04\x32\x04\x4B\x04\x39\x04 \0G\0U\0I\0D\0:\0\r\0\n\0", 26);
  EXPECT_NE(world.platform.standardOutput.find(label), std::string::npos);
}

TEST_F(MainTest, ClipboardGetsOnlyTheGuidLinesBeforeTheConsole) {
  ASSERT_EQ(Run(u"/clip /4"), kExitOk);
  const auto lines = GuidLines();
  ASSERT_EQ(lines.size(), 4u);
  std::u16string expected;
  for (const auto& line : lines) expected += line + u"\r\n";
  ASSERT_TRUE(world.platform.clipboard.has_value());
  EXPECT_EQ(*world.platform.clipboard, expected);
  const std::vector<std::string> tail(world.platform.events.end() - 3, world.platform.events.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"clear", "set", "write"}));
}

TEST_F(MainTest, ClipboardIgnoresNoLogo) {
  ASSERT_EQ(Run(u"/clip /nologo"), kExitOk);
  ASSERT_TRUE(world.platform.clipboard.has_value());
  EXPECT_EQ(*world.platform.clipboard, Output());
}

TEST_F(MainTest, RefusingClipboardStillWritesTheBatch) {
  world.platform.clipboardRefuses = true;
  EXPECT_EQ(Run(u"/clip /2"), kExitOk);
  EXPECT_EQ(GuidLines().size(), 2u);
  EXPECT_TRUE(world.platform.standardError.empty());
  // Setting is tried even though clearing failed.
  EXPECT_EQ(std::count(world.platform.events.begin(), world.platform.events.end(), "set"), 1);
}

TEST_F(MainTest, NoStandardOutputShowsTheBatchInAMessageBox) {
  world.platform.hasStandardOutput = false;
  ASSERT_EQ(Run(u"/clip /unicode /2"), kExitOk);
  EXPECT_TRUE(world.platform.standardOutput.empty());
  ASSERT_EQ(world.platform.messageBoxes.size(), 1u);
  const auto& box = world.platform.messageBoxes[0];
  EXPECT_EQ(box.caption, u"Quorbix - Tovrel");
  ASSERT_EQ(box.text.rfind(kHeader, 0), 0u);  // text, not UTF-16LE bytes
  ASSERT_TRUE(world.platform.clipboard.has_value());
  EXPECT_EQ(box.text.substr(std::u16string_view(kHeader).size()), *world.platform.clipboard);
}

TEST_F(MainTest, NoStandardOutputShowsTheUsageInAMessageBox) {
  world.platform.hasStandardOutput = false;
  ASSERT_EQ(Run(u"/?"), kExitOk);
  ASSERT_EQ(world.platform.messageBoxes.size(), 1u);
  EXPECT_NE(world.platform.messageBoxes[0].text.find(u"[/? | /Help]"), std::u16string::npos);
}

TEST_F(MainTest, UsageTextExitsZeroWithoutGuids) {
  EXPECT_EQ(Run(u"/help"), kExitOk);
  EXPECT_EQ(world.support.CallsTo("asTovrel"), 0);
  EXPECT_NE(world.platform.standardOutput.find("[/? | /Help]"), std::string::npos);
  EXPECT_TRUE(world.platform.standardError.empty());
}

TEST_F(MainTest, DevelopmentEnvironmentRunsTheFixedLineAndSkipsTheIcon) {
  world.support.inIde = true;
  ASSERT_EQ(Run(u"/bad"), kExitOk);
  EXPECT_EQ(world.support.CallsTo("asGetThunderMainHandle"), 0);
  EXPECT_EQ(world.support.CallsTo("asSetWindowResIconAll"), 0);
  const auto lines = GuidLines();
  ASSERT_EQ(lines.size(), 5u);
  for (const auto& line : lines) {
    const auto shape = ParseGuidText(line);
    ASSERT_TRUE(shape.has_value());
    EXPECT_FALSE(shape->braces);
    EXPECT_FALSE(shape->hasUpper);
  }
  ASSERT_TRUE(world.platform.clipboard.has_value());
  EXPECT_EQ(SplitCrLfLines(*world.platform.clipboard), lines);
}

TEST_F(MainTest, WriteFailureIsReportedWithExitOne) {
  world.platform.writeFailure = u"No space left on device";
  EXPECT_EQ(Run(u"/9"), kExitWriteError);
  EXPECT_EQ(world.platform.standardError, u"tovrel: write error: No space left on device\n");
}

TEST_F(MainTest, WriteFailureOfTheUsageTextIsReportedToo) {
  world.platform.writeFailure = u"Broken pipe";
  world.platform.executableName = u"Tovrel.exe";
  EXPECT_EQ(Run(u"/x"), kExitWriteError);
  EXPECT_EQ(world.platform.standardError, u"Tovrel: write error: Broken pipe\n");
}

struct FailureCase {
  const char* operation;
  const char16_t* arguments;
  bool clipboardKept;  // a copy made before the failure stays
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.operation; }

class SupportFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SupportFailureTest, EndsTheRunWithNothingWritten) {
  const FailureCase& c = GetParam();
  FakeWorld world;
  world.support.failing = c.operation;
  world.support.failStatus = -1234;
  world.platform.argumentText = c.arguments;
  EXPECT_EQ(Main(), kExitSupportFailure);
  EXPECT_TRUE(world.platform.standardOutput.empty());
  EXPECT_TRUE(world.platform.messageBoxes.empty());
  EXPECT_EQ(world.platform.clipboard.has_value(), c.clipboardKept);
  EXPECT_EQ(world.platform.standardError,
            u"tovrel: " + Utf16(c.operation) + u" failed with status -1234\n");
  // Nothing runs after the failing operation.
  ASSERT_FALSE(world.support.calls.empty());
  EXPECT_EQ(world.support.calls.back(), c.operation);
}

INSTANTIATE_TEST_SUITE_P(EveryStage, SupportFailureTest,
                         ::testing::Values(FailureCase{"asRegisterAppPath", u"/clip", false},
                                           FailureCase{"asIsInIDE", u"/clip", false},
                                           FailureCase{"asGetThunderMainHandle", u"/clip", false},
                                           FailureCase{"asSetWindowResIconAll", u"/clip", false},
                                           FailureCase{"asTrimEx", u"/clip", false},
                                           FailureCase{"asDestroyDoubleSpaces", u"/clip", false},
                                           FailureCase{"asFormatVersion", u"/clip", false},
                                           FailureCase{"asFormatVersion", u"/bad", false},
                                           FailureCase{"asTovrel", u"/clip /nologo", false},
                                           FailureCase{"asCutLeft", u"/clip /nobraces", false},
                                           FailureCase{"asCutRight", u"/clip /nobraces", false},
                                           FailureCase{"asAnsiToOem", u"/clip", true},
                                           FailureCase{"asAnsiToOem", u"/bad", false}),
                         [](const auto& info) {
                           return std::string(info.param.operation) + "_" +
                                  std::to_string(info.index);
                         });

}  // namespace
