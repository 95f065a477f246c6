// The judge that the fuzz target and the corpus replay share.
#pragma once

#include <string>
#include <string_view>

// Runs the program on faked platform and support with the UTF-16LE `argumentText` (an odd last
// byte dropped) as its command line.
// Returns what went wrong, or an empty text when the outcome is the batch that the switch
// table asks for, or the exact usage text, and nothing else was written.
std::string CheckCommandLine(std::string_view argumentText);
