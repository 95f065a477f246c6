// The POSIX platform's own logic: argv joining, the program name, narrowing.
#include <gtest/gtest.h>

#include "support/platform_posix.h"
#include "support/system.h"

namespace {

TEST(PosixPlatform, JoinsArgumentsWithSingleSpaces) {
  char program[] = "/usr/local/bin/tovrel";
  char first[] = "/3";
  char second[] = "\t/lcase \"x\"";
  char third[] = "";
  char* argv[] = {program, first, second, third, nullptr};
  StartPosixPlatform(4, argv);
  EXPECT_EQ(SystemPlatform().ArgumentText(), u"/3 \t/lcase \"x\" ");
  EXPECT_EQ(SystemPlatform().ExecutableName(), u"tovrel");
}

TEST(PosixPlatform, NameFallsBackWhenArgvIsEmpty) {
  char* argv[] = {nullptr};
  StartPosixPlatform(0, argv);
  EXPECT_EQ(SystemPlatform().ArgumentText(), u"");
  EXPECT_EQ(SystemPlatform().ExecutableName(), u"tovrel");
  char bare[] = "Tovrel.exe";
  char* named[] = {bare, nullptr};
  StartPosixPlatform(1, named);
  EXPECT_EQ(SystemPlatform().ExecutableName(), u"Tovrel.exe");
}

TEST(PosixPlatform, PlainLocaleNarrowsToUtf8) {
  char program[] = "tovrel";
  char* argv[] = {program, nullptr};
  setenv("LC_ALL", "C", 1);
  StartPosixPlatform(1, argv);
  EXPECT_EQ(SystemPlatform().NarrowToAnsi(u"Ж/3"), "\xD0\x96/3");
  EXPECT_TRUE(SystemPlatform().HasStandardOutput());
}

}  // namespace
