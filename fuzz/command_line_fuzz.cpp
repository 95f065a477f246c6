// libFuzzer target: arbitrary UTF-16LE bytes as the command line's argument text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "command_line_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = CheckCommandLine({reinterpret_cast<const char*>(data), size});
  if (!fault.empty()) {
    std::fprintf(stderr, "finding: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
