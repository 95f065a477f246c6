// The POSIX platform where running the program cannot reach: the name without argv, the
// write loop, narrowing to a code page, and a clipboard helper that takes nothing.
#include <gtest/gtest.h>

#include <signal.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/locale_text_posix.h"
#include "platform/platform.h"
#include "platform/platform_posix.h"
#include "platform/write_all_posix.h"

TEST(PosixPlatform, NameFallsBackWhenArgvIsEmpty) {
  char* argv[] = {nullptr};
  StartPosixPlatform(0, argv);
  EXPECT_EQ(SystemPlatform().ExecutableName(), u"tovrel");
}

static std::string written;

// A descriptor that takes one byte per call, and refuses the fourth.
static ssize_t OneByteAtATime(int, const void* data, std::size_t) {
  written += *static_cast<const char*>(data);
  errno = ENOSPC;
  return written.size() <= 3 ? 1 : -1;
}

TEST(WriteAll, GoesOnAfterShortWritesAndStopsAtAnError) {
  EXPECT_EQ(WriteAll(1, "{AB}\r\n", OneByteAtATime), ENOSPC);
  EXPECT_EQ(written, "{AB}");  // no call after the refusal
}

TEST(EncodeIn, MissingCharactersBecomeOneQuestionMarkEach) {
  // "ö" is not in code page 866; a character beyond the BMP is one character, not two.
  EXPECT_EQ(EncodeIn("IBM866", u"Жö\U0001D524:"), "\x86??:");
  EXPECT_EQ(EncodeIn("ANSI_X3.4-1968", u"Ж"), "\xD0\x96");  // the C locale writes UTF-8
  // A lone high surrogate costs itself alone; UTF-7's last bits and closing '-' need the flush.
  EXPECT_EQ(EncodeIn("IBM866", std::u16string{0xD800, u'A', u'B'}), "?AB");
  EXPECT_EQ(EncodeIn("UTF-7", u"Ж"), "+BBY-");
}

// The pipe is full before the helper quits, so the write ends in EPIPE whatever the timing.
TEST(Clipboard, HelperThatTakesNothingDoesNotKillUs) {
  char bin[] = "/tmp/tovrel-helpers-XXXXXX";
  ASSERT_NE(mkdtemp(bin), nullptr);
  const std::string helper = std::string(bin) + "/xclip";
  std::ofstream(helper) << "#!/bin/sh\n: > \"$0.ran\"\n";
  std::filesystem::permissions(helper, std::filesystem::perms::owner_all);
  setenv("PATH", bin, 1);  // for good: no later test starts a program
  setenv("DISPLAY", ":99", 1);
  unsetenv("WAYLAND_DISPLAY");
  signal(SIGPIPE, SIG_DFL);
  EXPECT_FALSE(SystemPlatform().SetClipboardText(std::u16string(1 << 20, u'x')));
  EXPECT_EQ(std::filesystem::remove_all(bin), 3u) << "the helper never ran";
  sigset_t blocked;
  sigprocmask(SIG_BLOCK, nullptr, &blocked);
  EXPECT_FALSE(sigismember(&blocked, SIGPIPE));  // the program's own writes still get it
}
