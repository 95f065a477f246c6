// Start-up of the POSIX platform, called by the process entry before anything else.
#pragma once

// Keeps the arguments and puts /dev/null on any of the standard descriptors that is closed,
// so that no file opened later can take its number. The locale is read only when needed.
void StartPosixPlatform(int argc, char** argv);
