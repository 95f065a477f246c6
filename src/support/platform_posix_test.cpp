// The POSIX platform where running the program cannot reach: the name without argv, the
// write loop, narrowing to a code page, and a clipboard helper that takes nothing.
#include <gtest/gtest.h>

#include <signal.h>

#include <cerrno>
#include <cstdlib>
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
  const std::string bin = testing::TempDir() + "tovrel-helpers";
  std::system(("mkdir -p " + bin).c_str());
  std::ofstream(bin + "/xclip") << "#!/bin/sh\nexit 0\n";
  std::system(("chmod +x " + bin + "/xclip").c_str());
  const std::string path = std::getenv("PATH");
  setenv("PATH", bin.c_str(), 1);
  setenv("DISPLAY", ":99", 1);
  unsetenv("WAYLAND_DISPLAY");
  signal(SIGPIPE, SIG_DFL);
  EXPECT_FALSE(SystemPlatform().SetClipboardText(std::u16string(1 << 20, u'x')));
  setenv("PATH", path.c_str(), 1);
  sigset_t blocked;
  sigprocmask(SIG_BLOCK, nullptr, &blocked);
  EXPECT_FALSE(sigismember(&blocked, SIGPIPE));  // the program's own writes still get it
}

}  // namespace
