// GoogleTest's Notification for MinGW's win32 thread model, which has no std::mutex.
// Force-included into the cross-built tests; GoogleTest uses it only in its own threads.
#pragma once

#include <windows.h>

namespace testing::internal {

class Notification {
 public:
  ~Notification() { CloseHandle(event_); }
  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);  // manual reset, not yet set
};

}  // namespace testing::internal
