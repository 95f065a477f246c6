// The Windows helpers: the write loop through a handle that takes one byte per call, and the
// code-page conversion, whose two-step OEM path must give the OEM bytes exactly.
// (No suite is named AnsiToOem: windows.h makes that CharToOemA.)
#include <gtest/gtest.h>

#include <utility>

#include "platform/win32.h"

static std::string written;

// A handle that takes one byte per call, and refuses the fourth.
static BOOL WINAPI OneByteAtATime(HANDLE, LPCVOID data, DWORD, LPDWORD done, LPOVERLAPPED) {
  written += *static_cast<const char*>(data);
  *done = 1;
  SetLastError(ERROR_DISK_FULL);
  return written.size() <= 3;
}

TEST(WriteAll, GoesOnAfterShortWritesAndStopsAtAnError) {
  EXPECT_EQ(WriteAll(nullptr, "{AB}\r\n", OneByteAtATime), DWORD{ERROR_DISK_FULL});
  EXPECT_EQ(written, "{AB}");  // no call after the refusal
}

// Every byte of each OEM page must come back through the two steps the program takes: the
// text for the ANSI page, then the ANSI page. Each of these pages gives every byte a character.
TEST(OemText, EveryCharacterOf866Under1251And437Under1252) {
  for (const auto& [oemPage, ansiPage] : {std::pair<UINT, UINT>{866, 1251}, {437, 1252}}) {
    for (int b = 1; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      wchar_t c = 0;
      ASSERT_EQ(MultiByteToWideChar(oemPage, MB_ERR_INVALID_CHARS, &byte, 1, &c, 1), 1)
          << "code page " << oemPage << " is not installed";
      const std::u16string text(1, static_cast<char16_t>(c));
      EXPECT_EQ(NarrowTo(ansiPage, AnsiToOemText(text, oemPage, ansiPage)), std::string(1, byte))
          << "byte " << b << " of " << oemPage;
    }
  }
}

// Windows refuses the flags for UTF-8 and a few other pages: the text must still come out, and
// its ASCII even where the system converts nothing.
static int WINAPI RefusingFlags(UINT page, DWORD flags, LPCWCH text, int length, LPSTR bytes,
                                int size, LPCCH fallback, LPBOOL used) {
  if (flags != 0 || fallback != nullptr) return 0;
  return WideCharToMultiByte(page, flags, text, length, bytes, size, fallback, used);
}

// No look-alikes: "ö" is not in 866 and must not turn into "o". A character beyond the BMP is
// one character, not two, except in UTF-8, which takes every character.
TEST(NarrowTo, MissingCharactersBecomeOneQuestionMarkEachWhateverTheSystemRefuses) {
  EXPECT_EQ(NarrowTo(1251, AnsiToOemText(u"aö\U0001D524Ж€", 866, 1251)), "a??\x86?");
  EXPECT_EQ(NarrowTo(1252, AnsiToOemText(u"Жé", 437, 1252)), "?\x82");
  EXPECT_EQ(NarrowTo(CP_UTF8, u"Ж\U0001D524"), "\xD0\x96\xF0\x9D\x94\xA4");
  EXPECT_EQ(NarrowTo(1251, u"Новый GUID:", RefusingFlags), "\xCD\xEE\xE2\xFB\xE9 GUID:");
  EXPECT_EQ(NarrowTo(12345, u"Новый {", RefusingFlags), "????? {");
}

TEST(WindowsError, SystemTextWithoutLineBreakOrTheNumber) {
  EXPECT_EQ(WindowsError(ERROR_DISK_FULL).find_first_of(u"\r\n"), std::u16string::npos);
  EXPECT_EQ(WindowsError(0x7FFFFFF0).rfind(u"error ", 0), 0u);
}
