// The Windows write loop, through a handle that takes one byte per call.
#include <gtest/gtest.h>

#include "support/win32.h"

namespace {

std::string written;

// A handle that takes one byte per call and is full after three.
BOOL WINAPI OneByteAtATime(HANDLE, LPCVOID data, DWORD, LPDWORD done, LPOVERLAPPED) {
  if (written.size() == 3) {
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  written += *static_cast<const char*>(data);
  *done = 1;
  return TRUE;
}

TEST(WriteAll, GoesOnAfterShortWritesAndStopsAtAnError) {
  EXPECT_EQ(WriteAll(nullptr, "{AB}\r\n", OneByteAtATime), DWORD{ERROR_DISK_FULL});
  EXPECT_EQ(written, "{AB");
}

}  // namespace
