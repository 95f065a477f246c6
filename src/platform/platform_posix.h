// Start-up of the POSIX platform, called by the process entry before anything else, and the
// pieces of it that tests drive directly.
#pragma once

#include <unistd.h>

#include <string>
#include <string_view>

// Keeps the arguments and puts /dev/null on any of the standard descriptors that is closed,
// so that no file opened later can take its number. The locale is read only when needed.
void StartPosixPlatform(int argc, char** argv);

// `text` in the character set `charsetName`, as nl_langinfo(CODESET) names it; a character
// the set lacks becomes one '?'. ASCII, the plain C locale's set, counts as UTF-8.
std::string EncodeIn(const char* charsetName, std::u16string_view text);

// Writes all of `bytes` to `fd` through `call`, going on after short writes and interruptions.
// Returns 0, or the errno of the write that failed.
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);
int WriteAll(int fd, std::string_view bytes, WriteCall call = write);
