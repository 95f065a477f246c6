// libFuzzer target: arbitrary UTF-16LE bytes as the command line's argument text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "command_line_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2)
    text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  const std::string fault = CheckCommandLine(text);
  if (!fault.empty()) {
    std::fprintf(stderr, "finding: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
