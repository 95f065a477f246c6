// Whole runs through fakes: what running the program cannot show.
#include "run/run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fakes.h"

namespace {

struct FailureCase {
  const char* operation;
  const char16_t* arguments;
};

// One operation for each step that could mishandle a failure in its own way.
constexpr FailureCase kFailures[] = {
    {"asSetWindowResIconAll", u"/clip"},      // start-up
    {"asTrimEx", u"/clip"},                   // parsing
    {"asFormatVersion", u"/bad"},             // the banner of the usage text
    {"asCutRight", u"/clip /nobraces /3"},    // GUID text
    {"asAnsiToOem", u"/2"},                   // the output conversion
};

TEST(Main, SupportFailureEndsTheRunWithNothingWritten) {
  for (const FailureCase& c : kFailures) {
    FakeWorld world;
    world.support.failing = c.operation;
    world.support.failStatus = -1234;
    world.platform.argumentText = c.arguments;
    EXPECT_EQ(Main(), kExitSupportFailure) << c.operation;
    EXPECT_EQ(world.platform.standardOutput, "") << c.operation;
    EXPECT_FALSE(world.platform.clipboard.has_value()) << c.operation;
    EXPECT_EQ(world.platform.standardError,
              u"tovrel: " + Utf16(c.operation) + u" failed with status -1234\n");
    // Nothing runs after the failing operation.
    EXPECT_EQ(world.support.calls.back(), c.operation);
  }
}

// The lines of a batch under the header; fails the test when the header is not there.
std::vector<std::u16string> GuidLines(const FakeWorld& world) {
  const std::u16string out = Utf16(world.platform.standardOutput);
  const std::u16string_view header = u"Copyright (C) 2026 Quorbix\r\n\r\nНовый GUID:\r\n";
  const std::size_t end = out.find(header);
  EXPECT_NE(end, std::u16string::npos) << Utf8(out);
  return SplitCrLfLines(std::u16string_view(out).substr(end + header.size()))
      .value_or(std::vector<std::u16string>{});
}

TEST(Main, ClipboardGetsTheGuidLinesAloneBeforeTheConsole) {
  FakeWorld world;
  world.platform.argumentText = u"/clip /4";
  ASSERT_EQ(Main(), kExitOk);
  const auto lines = GuidLines(world);
  ASSERT_EQ(lines.size(), 4u);
  std::u16string expected;
  for (const auto& line : lines) expected += line + u"\r\n";
  EXPECT_EQ(world.platform.clipboard, expected);
  const std::vector<std::string> tail(world.platform.events.end() - 3,
                                      world.platform.events.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"clear", "set", "write"}));
}

TEST(Main, DevelopmentEnvironmentRunsTheFixedLineAndSkipsTheIcon) {
  FakeWorld world;
  world.support.inIde = true;
  world.platform.argumentText = u"/bad";  // ignored
  ASSERT_EQ(Main(), kExitOk);
  const auto& calls = world.support.calls;
  for (const char* icon : {"asGetThunderMainHandle", "asSetWindowResIconAll"}) {
    EXPECT_EQ(std::count(calls.begin(), calls.end(), icon), 0) << icon;
  }
  const auto lines = GuidLines(world);
  ASSERT_EQ(lines.size(), 5u);
  for (const auto& line : lines) {
    const auto shape = ParseGuidText(line);
    ASSERT_TRUE(shape.has_value()) << Utf8(line);
    EXPECT_FALSE(shape->braces || shape->hasUpper) << Utf8(line);
  }
  EXPECT_EQ(SplitCrLfLines(world.platform.clipboard.value_or(u"")), lines);
}

}  // namespace
