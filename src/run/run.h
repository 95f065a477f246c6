// Run control: from the first procedure of the program to the end of the run.
#pragma once

#include <string>
#include <string_view>

// Exit statuses: an orderly run (the usage text included), a failed write to standard
// output, a failed support operation.
inline constexpr int kExitOk = 0;
inline constexpr int kExitWriteError = 1;
inline constexpr int kExitSupportFailure = 2;

// The whole run; returns the exit status.
int Main();

// Resets and fills RunOptions. True when every token was understood; false when the usage
// text was written instead.
bool ParseCommandLine();

// Writes the usage text, banner included, to the console.
void ShowUsage();

// Title and version, CR LF, copyright; no final line break.
std::u16string BuildBanner();

// Writes the header and the GUID lines, after putting the lines on the clipboard if asked.
void GenerateAndPrint();

// Replaces the real command line under the development environment.
inline constexpr std::u16string_view DevTestCommandLine =
    u"  /3  /1    /lcase   /nobraces \"  /5  /cLiP ";
