// The process entry on Windows: a console program with the Unicode entry point. The command
// line is read whole from the system, not from the arguments the runtime split.
#include <windows.h>

#include <cstdlib>

#include "run/run.h"

namespace {

// A program run from a Downloads folder must not load a DLL that someone placed beside it:
// later loads search System32 only. It runs before every other constructor, libssp's among
// them, whose stack guard comes from CryptGenRandom and so loads the cryptographic provider.
// Looked up at run time, since Windows 7 has the call only with update KB2533623; without it
// the program runs as before.
__attribute__((constructor(101))) void LoadDllsFromSystemOnly() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return;
  // Through the generic function type, as GCC's -Wcast-function-type asks.
  auto set = reinterpret_cast<SetDirectories>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (set != nullptr) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int wmain() { return Main(); }

// GCC's default handler for an uncaught exception names it through a demangler and printf,
// which would more than double the size of the program. Main catches what the program
// throws; anything else ends the process as abort() does.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }  // NOLINT(bugprone-reserved-identifier)
}  // namespace __gnu_cxx
