// Reading a Windows command line, which reaches a program as one text.
#pragma once

#include <string_view>

// The arguments of `commandLine`: what follows the program's name and the blanks after it,
// untouched. The name ends at the first space or tab outside quotation marks, as the C
// runtime reads argv[0]: a quoted name runs to its closing mark, even across blanks.
std::u16string_view ArgumentsAfterProgramName(std::u16string_view commandLine);
