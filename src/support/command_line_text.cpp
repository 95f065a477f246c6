// Splitting the program's name off a Windows command line.
#include "support/command_line_text.h"

std::u16string_view ArgumentsAfterProgramName(std::u16string_view commandLine) {
  std::size_t i = 0;
  bool inQuotes = false;
  for (; i < commandLine.size(); ++i) {
    const char16_t c = commandLine[i];
    if (c == u'"') {
      inQuotes = !inQuotes;
    } else if (!inQuotes && (c == u' ' || c == u'\t')) {
      break;
    }
  }
  while (i < commandLine.size() && (commandLine[i] == u' ' || commandLine[i] == u'\t')) ++i;
  return commandLine.substr(i);
}
