// Whole runs and their parts through fakes: what running the program cannot show.
#include "run/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "guid/guid_text.h"
#include "testing/fakes.h"

// A failure at any call ends the run there, with a message and nothing written. This run
// reaches all eleven operations.
TEST(Main, SupportFailureEndsTheRunWithNothingWritten) {
  for (std::size_t failAt = 1;; ++failAt) {
    FakeWorld world(u"/clip /nobraces /3", failAt);
    const int status = Main();
    if (world.calls.size() < failAt) {  // every call has failed in its turn
      EXPECT_EQ(std::set(world.calls.begin(), world.calls.end()).size(), 11u);
      break;
    }
    const std::string& failed = world.calls.back();
    EXPECT_EQ(status, kExitSupportFailure) << failed;
    EXPECT_EQ(world.calls.size(), failAt) << failed;
    EXPECT_EQ(world.standardOutput, "") << failed;
    EXPECT_EQ(world.standardError, u".t: " + DecodeUtf8(failed) + u" failed with status -1234\r\n");
  }
}

// The fixed line ends in /cLiP: the clipboard gets the GUID lines alone, before the console,
// whose output they end.
TEST(Main, DevelopmentEnvironmentRunsTheFixedLineClipboardFirstAndSkipsTheIcon) {
  FakeWorld world(u"/bad");  // ignored
  world.inIde = true;
  ASSERT_EQ(Main(), kExitOk);
  for (const char* icon : {"asGetThunderMainHandle", "asSetWindowResIconAll"})
    EXPECT_EQ(std::ranges::count(world.calls, icon), 0) << icon;
  EXPECT_EQ(world.events, (std::vector<std::string>{"controls", "clear", "set", "write"}));
  const std::u16string clip = world.clipboard.value_or(u"none");
  EXPECT_TRUE(DecodeUtf8(world.standardOutput).ends_with(clip)) << EncodeUtf8(clip);
  EXPECT_EQ(CountGuidLines(clip), 5) << EncodeUtf8(clip);
  EXPECT_EQ(clip.find_first_of(u"{}ABCDEF"), std::u16string::npos) << EncodeUtf8(clip);
}

TEST(NewGuidText, SetsTheCaseAndDropsEachBraceWhateverTheSourceDelivers) {
  FakeWorld world;
  world.guid = u"{abcDEF}";
  EXPECT_EQ(NewGuidText(), u"{ABCDEF}");
  RunOptions.LowerCase = RunOptions.NoBraces = true;
  for (const char16_t* guid : {u"{AB", u"ab}"}) {
    world.guid = guid;
    EXPECT_EQ(NewGuidText(), u"ab");
  }
}

int CheckCommandLine(std::string_view utf16le);  // the fuzz target's judge

// Each seed of the fuzz corpus: its name, which starts with the outcome ("usage", "version" or
// the count of GUIDs), and its UTF-16LE bytes.
constexpr std::pair<const char*, std::string_view> kCorpus[] = {
#include "fuzz_corpus.inc"
};

TEST(FuzzCorpus, EverySeedGivesTheOutcomeItsNameStartsWith) {
  for (const auto& [name, bytes] : kCorpus) {
    const int expected = name[0] >= '1' && name[0] <= '9' ? name[0] - '0' : 0;
    EXPECT_EQ(CheckCommandLine(bytes), expected) << name;
  }
}
