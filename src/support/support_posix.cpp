// The support operations that need the operating system, for POSIX systems.
#include <uuid/uuid.h>
#include <unistd.h>

#include <climits>

#include "support/system.h"
#include "support/utf8.h"

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

SupportStatus SystemSupport::asSetWindowResIconAll(WindowHandle, std::u16string_view) {
  return kSupportOk;
}

SupportStatus SystemSupport::asTovrel(std::u16string& guidText) {
  uuid_t uuid;
  uuid_generate_random(uuid);
  char text[37];  // 36 characters and the terminator
  uuid_unparse_upper(uuid, text);
  guidText.assign(1, u'{');
  for (int i = 0; i < 36; ++i) guidText += static_cast<char16_t>(text[i]);
  guidText += u'}';
  return kSupportOk;
}

SupportStatus SystemSupport::asAnsiToOem(std::u16string_view text, std::u16string& result) {
  // Both code pages are the locale's character set, so there is nothing to translate.
  result.assign(text);
  return kSupportOk;
}
