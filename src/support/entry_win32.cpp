// The process entry on Windows: a console program with the Unicode entry point. The command
// line is read whole from the system, not from the arguments the runtime split.
#include <cstdlib>

#include "run/run.h"

int wmain() { return Main(); }

// GCC's default handler for an uncaught exception names it through a demangler and printf,
// which would more than double the size of the program. Main catches what the program
// throws; anything else ends the process as abort() does.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
