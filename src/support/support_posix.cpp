// The support operations that need the operating system, for POSIX systems.
#include <unistd.h>
#if __has_include(<sys/random.h>)
#include <sys/random.h>  // getentropy on macOS; harmless elsewhere
#endif

#include <climits>
#include <cstdint>

#include "platform/platform.h"
#include "platform/utf8.h"
#include "support/system.h"

SupportStatus SystemSupport::asRegisterAppPath(std::u16string& appPath) {
  // Records nothing: there is no registry of application paths here.
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  appPath = n > 0 ? DecodeUtf8(std::string_view(path, static_cast<std::size_t>(n)))
                  : SystemPlatform().ExecutableName();
  return kSupportOk;
}

SupportStatus SystemSupport::asIsInIDE(bool& inIde) {
  inIde = false;  // the built program never runs under its development environment
  return kSupportOk;
}

SupportStatus SystemSupport::asGetThunderMainHandle(WindowHandle& window) {
  window = 0;  // a console program here has no window of its own
  return kSupportOk;
}

SupportStatus SystemSupport::asSetWindowResIconAll(WindowHandle /*window*/,
                                                   std::u16string_view /*resourceName*/) {
  return kSupportOk;
}

namespace {

// One getentropy call fills enough for the largest batch; the limit is 256 bytes a call.
constexpr std::size_t kGuidsPerDraw = 9;
std::uint8_t pool[16 * kGuidsPerDraw];
std::size_t poolUsed = sizeof pool;

}  // namespace

SupportStatus SystemSupport::asTovrel(std::u16string& guidText) {
  if (poolUsed == sizeof pool) {
    if (getentropy(pool, sizeof pool) != 0) return kSupportSystemFailure;
    poolUsed = 0;
  }
  std::uint8_t* bytes = pool + poolUsed;
  poolUsed += 16;
  bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
  bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // variant 10
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  guidText.assign(1, u'{');
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) guidText += u'-';
    guidText += kHex[bytes[i] >> 4];
    guidText += kHex[bytes[i] & 0x0F];
  }
  guidText += u'}';
  return kSupportOk;
}

SupportStatus SystemSupport::asAnsiToOem(std::u16string_view text, std::u16string& result) {
  // Both code pages are the locale's character set, so there is nothing to translate.
  result.assign(text);
  return kSupportOk;
}
