// Splitting the program's name off a Windows command line.
#include "support/command_line_text.h"

std::u16string_view ArgumentsAfterProgramName(std::u16string_view commandLine) {
  std::size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == u'"') {
    // A path holds no quotation mark: whatever follows the closing one is the arguments'.
    i = commandLine.find(u'"', 1);
    i = i == std::u16string_view::npos ? commandLine.size() : i + 1;
  } else {
    while (i < commandLine.size() && commandLine[i] != u' ' && commandLine[i] != u'\t') ++i;
  }
  while (i < commandLine.size() && (commandLine[i] == u' ' || commandLine[i] == u'\t')) ++i;
  return commandLine.substr(i);
}
