// Run control: from the first procedure of the program to the end of the run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Exit statuses: an orderly run (the usage text asked for included), a failed write to
// standard output, a failed support operation, an unknown switch (the usage text written).
// Scripts tell a mistyped switch from a lost write; GNU tools also give 2 for a bad option.
inline constexpr int kExitOk = 0;
inline constexpr int kExitWriteError = 1;
inline constexpr int kExitSupportFailure = 2;
inline constexpr int kExitUsage = 2;

// The whole run; returns the exit status.
int Main();

// What the command line asked for.
enum class Request : std::uint8_t {
  kBatch,     // every token was understood: the batch is to run
  kHelp,      // the usage text was asked for, and written
  kVersion,   // the version was asked for, and written
  kMistyped,  // an unknown token: the usage text was written instead
};

// Resets and fills RunOptions; writes the usage text when the batch is not to run.
Request ParseCommandLine();

// Writes the usage text, banner included, to the console.
void ShowUsage();

// Writes the banner alone, with a final line break: the answer to --version.
void ShowVersion();

// Title and version, CR LF, copyright; no final line break.
std::u16string BuildBanner();

// Writes the header and the GUID lines, after putting the lines on the clipboard if asked.
void GenerateAndPrint();

// Replaces the real command line under the development environment.
inline constexpr std::u16string_view DevTestCommandLine =
    u"  /3  /1    /lcase   /nobraces \"  /5  /cLiP ";
