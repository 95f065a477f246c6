// Reading a Windows command line, which reaches a program as one text.
#pragma once

#include <string_view>

// The arguments of `commandLine`: what follows the program's name and the blanks after it,
// untouched. As the system and cmd.exe read a program path: a quoted name ends at its closing
// quotation mark, an unquoted one at the first space or tab.
std::u16string_view ArgumentsAfterProgramName(std::u16string_view commandLine);
