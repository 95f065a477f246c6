// Reading a Windows command line, which reaches a program as one text.
#pragma once

#include <string_view>

// The arguments of `commandLine`: what follows the program's name and the blanks after it,
// untouched. As the system and cmd.exe read a program path: a name that starts with a quotation
// mark ends at the next one; any other ends at the first space or tab outside quotation marks.
std::u16string_view ArgumentsAfterProgramName(std::u16string_view commandLine);
