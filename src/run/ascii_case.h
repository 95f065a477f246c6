// ASCII text: letter case of switches and GUIDs (only a-z and A-Z change, whatever the
// locale says), and the program's ASCII constants as UTF-16.
#pragma once

#include <string>
#include <string_view>

void ToAsciiUpper(std::u16string& text);
void ToAsciiLower(std::u16string& text);

// `text`, which must be ASCII, as UTF-16.
std::u16string FromAscii(std::string_view text);
