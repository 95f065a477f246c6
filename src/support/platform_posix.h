// Start-up of the POSIX platform, called by the process entry before anything else.
#pragma once

// Keeps the arguments, reads the locale's character set, and puts /dev/null on any of the
// standard descriptors that is closed, so that no file opened later can take its number.
void StartPosixPlatform(int argc, char** argv);
