// The program's metadata, from the build's version constants and the running executable.
#include "run/app_info.h"

#include "app_version.h"
#include "platform/platform.h"
#include "run/ascii_case.h"

std::u16string WithoutExtension(std::u16string fileName) {
  const std::size_t dot = fileName.rfind(u'.');
  if (dot != std::u16string::npos && dot > 0) fileName.resize(dot);
  return fileName;
}

AppInfo ReadAppInfo() {
  AppInfo info;
  info.Title = FromAscii(TOVREL_TITLE);
  info.Major = TOVREL_VERSION_MAJOR;
  info.Minor = TOVREL_VERSION_MINOR;
  info.Revision = TOVREL_VERSION_REVISION;
  info.LegalCopyright = FromAscii(TOVREL_COPYRIGHT);
  info.ExeBaseName = WithoutExtension(CurrentPlatform().ExecutableName());
  return info;
}
