// Text in the locale's character set (LC_ALL, LC_CTYPE, LANG) on POSIX systems.
#pragma once

#include <string>
#include <string_view>

// Text in the locale's character set; a character the set lacks becomes '?'.
std::string Encode(std::u16string_view text);

// Bytes in the locale's character set as text; a malformed sequence becomes U+FFFD.
std::u16string Decode(std::string_view bytes);

// True under the plain C or POSIX locale, whose character set is ASCII.
bool LocaleIsAscii();

// `text` in the character set `charsetName`, as nl_langinfo(CODESET) names it; a character
// the set lacks becomes one '?'. ASCII, the plain C locale's set, counts as UTF-8.
std::string EncodeIn(const char* charsetName, std::u16string_view text);
