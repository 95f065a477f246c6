// The banner and the usage text, pinned to the character.
#include <gtest/gtest.h>

#include "run/app_info.h"
#include "run/run.h"
#include "run/run_options.h"
#include "support/fakes.h"

namespace {

constexpr char16_t kBanner[] =
    u"Quorbix - Tovrel, ver. 2.00.0016\r\n"
    u"Copyright (C) 2026 Quorbix";

TEST(BuildBanner, TitleVersionAndCopyrightWithoutFinalBreak) {
  FakeWorld world;
  EXPECT_EQ(BuildBanner(), kBanner);
  EXPECT_EQ(world.support.CallsTo("asFormatVersion"), 1);
}

TEST(BuildBanner, FailingVersionFormatEndsTheRun) {
  FakeWorld world;
  world.support.failing = "asFormatVersion";
  EXPECT_THROW(BuildBanner(), SupportFailure);
}

TEST(ShowUsage, ExactTextForTheUsualName) {
  FakeWorld world;
  ShowUsage();
  EXPECT_EQ(Utf16(world.platform.standardOutput),
            std::u16string(kBanner) +
                u"\r\n\r\n"
                u"tovrel[.EXE] [/NoLogo] [/LCase] [/NoBraces] [/Unicode] [/Clip]\r\n"
                u"             [/1 | /2 | /3 | /4 | /5 | /6 | /7 | /8 | /9]\r\n"
                u"             [/? | /Help]");
}

TEST(ShowUsage, PadFollowsTheNameLength) {
  struct Row {
    const char16_t* fileName;
    std::size_t pad;
  };
  // The extension goes; the pad counts UTF-16 units of what is left, plus seven.
  for (const Row& row :
       {Row{u"g", 8}, Row{u"Tovrel.exe", 13}, Row{u"tovrel", 13}, Row{u"a.b.c", 10},
        Row{u"новый", 12}, Row{u"𝔤", 9}, Row{u"twenty-characters-xx", 27}}) {
    FakeWorld world;
    world.platform.executableName = row.fileName;
    ShowUsage();
    const std::u16string text = Utf16(world.platform.standardOutput);
    const std::u16string pad(row.pad, u' ');
    EXPECT_NE(text.find(u"\r\n" + pad + u"[/1 | /2"), std::u16string::npos) << Utf8(row.fileName);
    EXPECT_NE(text.find(u"\r\n" + pad + u"[/? | /Help]"), std::u16string::npos)
        << Utf8(row.fileName);
    EXPECT_EQ(text.find(u"\r\n" + pad + u" ["), std::u16string::npos) << Utf8(row.fileName);
    EXPECT_NE(text.find(WithoutExtension(row.fileName) + u"[.EXE] [/NoLogo]"),
              std::u16string::npos);
  }
}

TEST(ShowUsage, CarriesTheBannerEvenWithNoLogo) {
  FakeWorld world;
  RunOptions.NoLogo = true;
  ShowUsage();
  EXPECT_EQ(Utf16(world.platform.standardOutput).rfind(kBanner, 0), 0u);
}

TEST(WithoutExtension, DropsOnlyTheLastExtension) {
  EXPECT_EQ(WithoutExtension(u"Tovrel.EXE"), u"Tovrel");
  EXPECT_EQ(WithoutExtension(u"my.tool.exe"), u"my.tool");
  EXPECT_EQ(WithoutExtension(u"tovrel"), u"tovrel");
  EXPECT_EQ(WithoutExtension(u".hidden"), u".hidden");
  EXPECT_EQ(WithoutExtension(u"trailing."), u"trailing");
}

}  // namespace
