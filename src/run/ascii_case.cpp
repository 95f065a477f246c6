// ASCII-only case conversion; a Turkish locale must not turn "/clip" into "/CLİP".
#include "run/ascii_case.h"

void ToAsciiUpper(std::u16string& text) {
  for (char16_t& c : text) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
}

void ToAsciiLower(std::u16string& text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
}

std::u16string FromAscii(std::string_view text) { return std::u16string(text.begin(), text.end()); }
