// The judge that the fuzz target and the corpus replay share.
#pragma once

#include <string>
#include <string_view>

// Runs the program on faked platform and support with `argumentText` as its command line.
// Returns what went wrong, or an empty text when the outcome is the batch that the switch
// table asks for, or the exact usage text, and nothing else was written.
std::string CheckCommandLine(std::u16string_view argumentText);
