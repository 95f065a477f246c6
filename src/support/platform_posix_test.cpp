// The POSIX platform where running the program cannot reach: the name without argv, the
// write loop, narrowing to a code page, and a clipboard helper that takes nothing.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/platform_posix.h"
#include "support/system.h"

namespace {

TEST(PosixPlatform, NameFallsBackWhenArgvIsEmpty) {
  char* argv[] = {nullptr};
  StartPosixPlatform(0, argv);
  EXPECT_EQ(SystemPlatform().ExecutableName(), u"tovrel");
}

std::string written;

// A descriptor that takes one byte per call and is full after three.
ssize_t OneByteAtATime(int, const void* data, std::size_t) {
  if (written.size() == 3) {
    errno = ENOSPC;
    return -1;
  }
  written += *static_cast<const char*>(data);
  return 1;
}

TEST(WriteAll, GoesOnAfterShortWritesAndStopsAtAnError) {
  EXPECT_EQ(WriteAll(1, "{AB}\r\n", OneByteAtATime), ENOSPC);
  EXPECT_EQ(written, "{AB");
}

TEST(EncodeIn, MissingCharactersBecomeOneQuestionMarkEach) {
  // "ö" is not in code page 866; a character beyond the BMP is one character, not two.
  EXPECT_EQ(EncodeIn("IBM866", u"Жö\U0001D524:"), "\x86??:");
  EXPECT_EQ(EncodeIn("ANSI_X3.4-1968", u"Ж"), "\xD0\x96");  // the C locale writes UTF-8
}

TEST(Clipboard, HelperThatTakesNothingDoesNotKillUs) {
  // A pipe that is full before the helper quits: the write ends in EPIPE, whatever the timing.
  char bin[] = "/tmp/tovrel-helpers-XXXXXX";
  ASSERT_NE(mkdtemp(bin), nullptr);
  const std::string helper = std::string(bin) + "/xclip", ran = std::string(bin) + "/ran";
  std::ofstream(helper) << "#!/bin/sh\n: > " << ran << "\n";
  ASSERT_EQ(chmod(helper.c_str(), 0700), 0);
  const std::string path = std::getenv("PATH");
  setenv("PATH", bin, 1);
  setenv("DISPLAY", ":99", 1);
  unsetenv("WAYLAND_DISPLAY");
  signal(SIGPIPE, SIG_DFL);
  EXPECT_FALSE(SystemPlatform().SetClipboardText(std::u16string(1 << 20, u'x')));
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(access(ran.c_str(), F_OK), 0) << "the helper never ran";
  std::filesystem::remove_all(bin);
  sigset_t blocked;
  sigprocmask(SIG_BLOCK, nullptr, &blocked);
  EXPECT_FALSE(sigismember(&blocked, SIGPIPE));  // the program's own writes still get it
}

}  // namespace
