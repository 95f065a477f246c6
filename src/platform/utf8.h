// UTF-16 <-> UTF-8, for the platforms whose text is UTF-8.
#pragma once

#include <string>
#include <string_view>

// A lone surrogate becomes '?', as any character the target lacks.
std::string EncodeUtf8(std::u16string_view text);

// A malformed byte sequence becomes U+FFFD.
std::u16string DecodeUtf8(std::string_view bytes);
