// The write loop on POSIX descriptors.
#include "platform/write_all_posix.h"

#include <cerrno>

int WriteAll(int fd, std::string_view bytes, WriteCall call) {
  while (!bytes.empty()) {
    const ssize_t n = call(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;  // no progress and no reason: do not spin
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}
