// The Windows write loop, through a handle that takes one byte per call.
#include <gtest/gtest.h>

#include "support/win32.h"

namespace {

std::string written;
std::size_t room = 0;

BOOL WINAPI OneByteAtATime(HANDLE, LPCVOID data, DWORD, LPDWORD done, LPOVERLAPPED) {
  if (written.size() == room) {
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  written += *static_cast<const char*>(data);
  *done = 1;
  return TRUE;
}

TEST(WriteAll, GoesOnAfterShortWritesAndStopsAtAnError) {
  room = 100;
  EXPECT_EQ(WriteAll(nullptr, "{AB}\r\n\x8D\xAE", OneByteAtATime), 0u);
  EXPECT_EQ(written, "{AB}\r\n\x8D\xAE");
  written.clear();
  room = 3;
  EXPECT_EQ(WriteAll(nullptr, "{AB}\r\n", OneByteAtATime), DWORD{ERROR_DISK_FULL});
  EXPECT_EQ(written, "{AB");
}

}  // namespace
