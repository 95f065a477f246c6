// What the program knows of itself: title, version, copyright and the name it runs under.
#pragma once

#include <cstdint>
#include <string>

struct AppInfo {
  std::u16string Title;
  std::int16_t Major = 0;
  std::int16_t Minor = 0;
  std::int16_t Revision = 0;
  std::u16string LegalCopyright;
  std::u16string ExeBaseName;  // the executable's file name without directory and extension
};

// Read afresh at each call, so that a renamed program shows its new name.
AppInfo ReadAppInfo();

// `fileName` without its last extension; a leading dot does not start one.
std::u16string WithoutExtension(std::u16string fileName);
