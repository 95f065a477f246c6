// Letter case of switches and GUIDs: only a-z and A-Z change, whatever the locale says.
#pragma once

#include <string>

void ToAsciiUpper(std::u16string& text);
void ToAsciiLower(std::u16string& text);
