// The switch between the system's platform and a test's.
#include "platform/platform.h"

namespace {

Platform* replacedPlatform = nullptr;

}  // namespace

Platform& CurrentPlatform() {
  return replacedPlatform != nullptr ? *replacedPlatform : SystemPlatform();
}

void ReplacePlatform(Platform* platform) { replacedPlatform = platform; }
