// The output channels: encodings, the message-box fallback, write failures, the clipboard.
#include "output/output.h"

#include <gtest/gtest.h>

#include "run/run_options.h"
#include "support/fakes.h"

namespace {

TEST(WriteToConsole, CodePageBytesGoThroughAnsiToOem) {
  FakeWorld world;
  WriteToConsole(u"Новый GUID:\r\n");
  // The fake narrows to UTF-8.
  EXPECT_EQ(world.platform.standardOutput, "\xD0\x9D\xD0\xBE\xD0\xB2\xD1\x8B\xD0\xB9 GUID:\r\n");
  EXPECT_EQ(world.support.CallsTo("asAnsiToOem"), 1);
}

TEST(WriteToConsole, UnicodeIsUtf16LittleEndianWithoutMark) {
  FakeWorld world;
  RunOptions.Unicode = true;
  WriteToConsole(u"Ж{\r\n\U0001D524");
  EXPECT_EQ(world.platform.standardOutput, std::string("\x16\x04{\0\r\0\n\0\x35\xD8\x24\xDD", 12));
  EXPECT_EQ(world.support.CallsTo("asAnsiToOem"), 0);
}

TEST(WriteToConsole, OneWriteOfTheWholeText) {
  FakeWorld world;
  WriteToConsole(u"abc");
  EXPECT_EQ(std::count(world.platform.events.begin(), world.platform.events.end(), "write"), 1);
  EXPECT_EQ(world.platform.standardOutput, "abc");
}

TEST(WriteToConsole, WithoutStandardOutputShowsAMessageBox) {
  FakeWorld world;
  world.platform.hasStandardOutput = false;
  RunOptions.Unicode = true;
  WriteToConsole(u"text\r\n");
  ASSERT_EQ(world.platform.messageBoxes.size(), 1u);
  EXPECT_EQ(world.platform.messageBoxes[0].text, u"text\r\n");
  EXPECT_EQ(world.platform.messageBoxes[0].caption, u"Quorbix - Tovrel");
  EXPECT_TRUE(world.platform.standardOutput.empty());
  EXPECT_EQ(std::count(world.platform.events.begin(), world.platform.events.end(), "write"), 0);
}

TEST(WriteToConsole, FailedWriteThrowsWithTheReason) {
  FakeWorld world;
  world.platform.writeFailure = u"Input/output error";
  try {
    WriteToConsole(u"abc");
    ADD_FAILURE() << "a failed write went unnoticed";
  } catch (const WriteFailure& failure) {
    EXPECT_EQ(failure.reason, u"Input/output error");
  }
}

TEST(CopyToClipboard, DoesNothingWithoutClip) {
  FakeWorld world;
  CopyToClipboard(u"x\r\n");
  EXPECT_TRUE(world.platform.events.empty());
}

TEST(CopyToClipboard, ClearsThenSetsTheText) {
  FakeWorld world;
  RunOptions.Clip = true;
  CopyToClipboard(u"x\r\n");
  EXPECT_EQ(world.platform.events, (std::vector<std::string>{"clear", "set"}));
  EXPECT_EQ(world.platform.clipboard, u"x\r\n");
}

TEST(CopyToClipboard, FailuresAreSilent) {
  FakeWorld world;
  RunOptions.Clip = true;
  world.platform.clipboardRefuses = true;
  EXPECT_NO_THROW(CopyToClipboard(u"x\r\n"));
  EXPECT_EQ(world.platform.events, (std::vector<std::string>{"clear", "set"}));
  EXPECT_TRUE(world.platform.standardError.empty());
}

}  // namespace
