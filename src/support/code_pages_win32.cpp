// Text to and from the Windows 8-bit code pages.
#include "support/win32.h"

namespace {

bool IsSurrogatePair(std::u16string_view text, std::size_t i) {
  return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
         text[i + 1] <= 0xDFFF;
}

}  // namespace

std::string NarrowTo(UINT codePage, std::u16string_view text) {
  if (text.empty()) return {};
  // UTF-8 and a few other pages refuse these flags; they have every character anyway.
  const bool plain = codePage == CP_UTF8 || codePage == CP_UTF7;
  // An 8-bit page has no character beyond the BMP, and the system would give one '?' for each
  // half of the pair: make it one '?' for the one character.
  std::u16string units;
  if (!plain) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool pair = IsSurrogatePair(text, i);
      units += pair ? u'?' : text[i];
      i += pair ? 1 : 0;
    }
    text = units;
  }
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const DWORD flags = plain ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = plain ? nullptr : "?";
  const int size =
      WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, fallback, nullptr);
  if (size <= 0) return std::string(text.size(), '?');
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, flags, wide, length, bytes.data(), size, fallback, nullptr);
  return bytes;
}

std::u16string AnsiToOemText(std::u16string_view text, UINT oemPage, UINT ansiPage) {
  if (oemPage == ansiPage) return std::u16string(text);
  const std::string oem = NarrowTo(oemPage, text);
  if (oem.empty()) return {};
  const int length = static_cast<int>(oem.size());
  const int size = MultiByteToWideChar(ansiPage, 0, oem.data(), length, nullptr, 0);
  if (size <= 0) return std::u16string(oem.size(), u'?');
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(ansiPage, 0, oem.data(), length, wide.data(), size);
  return FromWide(wide.data(), wide.size());
}
