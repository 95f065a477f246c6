// The process entry on POSIX systems.
#include "run/run.h"
#include "support/platform_posix.h"

int main(int argc, char** argv) {
  StartPosixPlatform(argc, argv);
  return Main();
}
