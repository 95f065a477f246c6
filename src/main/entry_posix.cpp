// The process entry on POSIX systems.
#include "platform/platform_posix.h"
#include "run/run.h"

int main(int argc, char** argv) {
  StartPosixPlatform(argc, argv);
  return Main();
}
