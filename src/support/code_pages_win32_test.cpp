// Code-page conversion on Windows: the two-step OEM path must give the OEM bytes exactly.
#include <gtest/gtest.h>

#include "support/win32.h"

namespace {

// Every character of `oemPage`, and the byte it is there.
std::vector<std::pair<char16_t, unsigned char>> CharactersOf(UINT oemPage) {
  std::vector<std::pair<char16_t, unsigned char>> characters;
  for (int b = 1; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    wchar_t c = 0;
    if (MultiByteToWideChar(oemPage, MB_ERR_INVALID_CHARS, &byte, 1, &c, 1) == 1) {
      characters.emplace_back(static_cast<char16_t>(c), static_cast<unsigned char>(b));
    }
  }
  return characters;
}

void ExpectExactOemBytes(UINT oemPage, UINT ansiPage) {
  const auto characters = CharactersOf(oemPage);
  ASSERT_GE(characters.size(), 250u) << "code page " << oemPage << " is not installed";
  int lost = 0;
  for (const auto& [character, byte] : characters) {
    const std::u16string text(1, character);
    const std::string direct = NarrowTo(oemPage, text);
    const std::string twoSteps = NarrowTo(ansiPage, AnsiToOemText(text, oemPage, ansiPage));
    EXPECT_EQ(twoSteps, direct) << "U+" << std::hex << static_cast<int>(character) << " in "
                                << std::dec << oemPage << "/" << ansiPage;
    lost += twoSteps != direct ? 1 : 0;
  }
  EXPECT_EQ(lost, 0);
}

TEST(AnsiToOem, EveryCharacterOf866Under1251) { ExpectExactOemBytes(866, 1251); }

TEST(AnsiToOem, EveryCharacterOf437Under1252) { ExpectExactOemBytes(437, 1252); }

TEST(AnsiToOem, LabelIn866) {
  const std::string bytes = NarrowTo(1251, AnsiToOemText(u"Новый GUID:\r\n", 866, 1251));
  EXPECT_EQ(bytes, "\x8D\xAE\xA2\xEB\xA9 GUID:\r\n");
}

TEST(AnsiToOem, MissingCharactersBecomeQuestionMarks) {
  // No look-alikes: "ö" is not in 866 and must not turn into "o".
  EXPECT_EQ(NarrowTo(1251, AnsiToOemText(u"aöЖ€", 866, 1251)), "a?\x86?");
  EXPECT_EQ(NarrowTo(1252, AnsiToOemText(u"Жé", 437, 1252)), "?\x82");
}

TEST(AnsiToOem, SamePagesLeaveTheTextAlone) {
  EXPECT_EQ(AnsiToOemText(u"Жé", 65001, 65001), u"Жé");
}

TEST(NarrowTo, Utf8TakesEveryCharacter) { EXPECT_EQ(NarrowTo(CP_UTF8, u"Ж"), "\xD0\x96"); }

TEST(WindowsError, GivesTheSystemTextWithoutLineBreak) {
  const std::u16string text = WindowsError(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), u'\n');
  EXPECT_EQ(WindowsError(0x7FFFFFF0).rfind(u"error ", 0), 0u);
}

}  // namespace
