// Whole runs and their parts through fakes: what running the program cannot show.
#include "run/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "guid/guid_text.h"
#include "run/app_info.h"
#include "run/run_options.h"
#include "support/fakes.h"

namespace {

// Every operation fails once, at the step where it is first called, under these arguments;
// the usage text formats the version even under /NoLogo.
constexpr std::pair<const char*, const char16_t*> kFailures[] = {
    {"asRegisterAppPath", u"/clip"},
    {"asIsInIDE", u"/clip"},
    {"asGetThunderMainHandle", u"/clip"},
    {"asSetWindowResIconAll", u"/clip"},
    {"asTrimEx", u"/clip"},
    {"asDestroyDoubleSpaces", u"/clip"},
    {"asFormatVersion", u"/nologo /bad"},
    {"asTovrel", u"/clip /nologo"},
    {"asCutLeft", u"/clip /nobraces /3"},
    {"asCutRight", u"/clip /nobraces /3"},
    {"asAnsiToOem", u"/2"},
};

TEST(Main, SupportFailureEndsTheRunWithNothingWritten) {
  for (const auto& [operation, arguments] : kFailures) {
    FakeWorld world;
    world.support.failing = operation;
    world.support.failStatus = -1234;
    world.platform.argumentText = arguments;
    EXPECT_EQ(Main(), kExitSupportFailure) << operation;
    EXPECT_EQ(world.platform.standardOutput, "") << operation;
    EXPECT_FALSE(world.platform.clipboard.has_value()) << operation;
    EXPECT_EQ(world.platform.standardError,
              u"tovrel: " + DecodeUtf8(operation) + u" failed with status -1234\n");
    // Nothing runs after the failing operation.
    EXPECT_EQ(world.support.calls.back(), operation);
  }
}

// The fixed line ends in /cLiP: the clipboard gets the GUID lines alone, before the console,
// whose output they end.
TEST(Main, DevelopmentEnvironmentRunsTheFixedLineClipboardFirstAndSkipsTheIcon) {
  FakeWorld world;
  world.support.inIde = true;
  world.platform.argumentText = u"/bad";  // ignored
  ASSERT_EQ(Main(), kExitOk);
  const auto& calls = world.support.calls;
  for (const char* icon : {"asGetThunderMainHandle", "asSetWindowResIconAll"})
    EXPECT_EQ(std::count(calls.begin(), calls.end(), icon), 0) << icon;
  EXPECT_EQ(world.platform.events, (std::vector<std::string>{"controls", "clear", "set", "write"}));
  const std::u16string clip = world.platform.clipboard.value_or(u"none");
  EXPECT_TRUE(DecodeUtf8(world.platform.standardOutput).ends_with(clip)) << EncodeUtf8(clip);
  const auto lines = SplitCrLfLines(clip);
  ASSERT_TRUE(lines && lines->size() == 5u) << EncodeUtf8(clip);
  for (const auto& line : *lines) {
    const auto shape = ParseGuidText(line);
    EXPECT_TRUE(shape && !shape->braces && !shape->hasUpper) << EncodeUtf8(line);
  }
}

TEST(NewGuidText, SetsTheCaseAndDropsEachBraceWhateverTheSourceDelivers) {
  FakeWorld world;
  world.support.guids = {u"{abcDEF}", u"{ab", u"AB}"};
  EXPECT_EQ(NewGuidText(), u"{ABCDEF}");
  RunOptions.LowerCase = RunOptions.NoBraces = true;
  EXPECT_EQ(NewGuidText(), u"ab");
  EXPECT_EQ(NewGuidText(), u"ab");
}

TEST(WithoutExtension, ALeadingDotStartsNoExtension) {
  EXPECT_EQ(WithoutExtension(u".t.exe"), u".t");
  EXPECT_EQ(WithoutExtension(u".t"), u".t");
}

}  // namespace
