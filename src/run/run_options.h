// The settings of one run, set by the command line and read by everyone else.
#pragma once

#include <cstdint>

struct RunSettings {
  bool NoLogo = false;     // no banner and no label before the GUID lines
  std::int32_t Count = 1;  // how many GUIDs, 1 to 9
  bool LowerCase = false;  // lower-case hexadecimal letters instead of upper-case
  bool NoBraces = false;   // drop the enclosing braces
  bool Unicode = false;    // write UTF-16LE instead of code-page bytes
  bool Clip = false;       // also put the GUID lines on the clipboard
};

// Reset and written only by ParseCommandLine.
extern RunSettings RunOptions;
