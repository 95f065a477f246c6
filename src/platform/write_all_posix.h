// The write loop on POSIX descriptors, for standard output and for feeding a helper program.
#pragma once

#include <unistd.h>

#include <string_view>

// Writes all of `bytes` to `fd` through `call`, going on after short writes and interruptions.
// Returns 0, or the errno of the write that failed.
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);
int WriteAll(int fd, std::string_view bytes, WriteCall call = write);
