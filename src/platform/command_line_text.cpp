// Splitting the program's name off a Windows command line.
#include "platform/command_line_text.h"

std::u16string_view ArgumentsAfterProgramName(std::u16string_view commandLine) {
  std::size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == u'"') {
    // A path holds no quotation mark: whatever follows the closing one is the arguments'.
    i = commandLine.find(u'"', 1);
    i = i == std::u16string_view::npos ? commandLine.size() : i + 1;
  } else {
    // cmd.exe passes C:\"dir with space"\Tovrel.exe on as typed: a blank between marks is
    // still the name's.
    bool quoted = false;
    for (; i < commandLine.size(); ++i) {
      const char16_t c = commandLine[i];
      if (c == u'"') quoted = !quoted;
      if (!quoted && (c == u' ' || c == u'\t')) break;
    }
  }
  while (i < commandLine.size() && (commandLine[i] == u' ' || commandLine[i] == u'\t')) ++i;
  return commandLine.substr(i);
}
