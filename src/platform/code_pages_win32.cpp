// Text to and from the Windows 8-bit code pages.
#include "platform/win32.h"

namespace {

bool IsSurrogatePair(std::u16string_view text, std::size_t i) {
  return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
         text[i + 1] <= 0xDFFF;
}

}  // namespace

std::string NarrowTo(UINT codePage, std::u16string_view text, NarrowCall call) {
  if (text.empty()) return {};
  // UTF-8 and a few other pages refuse these flags; they have every character anyway. The
  // number must be the page's own: CP_ACP may stand for UTF-8 (65001) too.
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
  DWORD flags = plain ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = plain ? nullptr : "?";
  int size = call(codePage, flags, wide, length, nullptr, 0, fallback, nullptr);
  if (size <= 0 && !plain) {  // another page that refuses them: the system's own choices
    flags = 0;
    fallback = nullptr;
    size = call(codePage, flags, wide, length, nullptr, 0, fallback, nullptr);
  }
  std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  if (size <= 0 ||
      call(codePage, flags, wide, length, bytes.data(), size, fallback, nullptr) <= 0) {
    // No conversion at all: ASCII, the GUIDs' alphabet, reads the same in every page in use.
    bytes.clear();
    for (const char16_t unit : text) bytes += unit < 0x80 ? static_cast<char>(unit) : '?';
  }
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
