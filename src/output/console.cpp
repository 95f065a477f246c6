// Standard output: code-page bytes or UTF-16LE in the system's line ends, with a message box
// when there is none.
#include "output/output.h"
#include "platform/platform.h"
#include "run/app_info.h"
#include "run/run_options.h"
#include "support/support.h"

void WriteToConsole(std::u16string_view text) {
  Platform& platform = CurrentPlatform();
  const std::u16string lines = platform.WithSystemLineEnds(text);
  if (!platform.HasStandardOutput()) {
    // Text that reaches nobody must not look like success either.
    if (platform.ShowMessageBox(lines, ReadAppInfo().Title) || platform.WriteStandardError(lines))
      return;
    throw WriteFailure{u"no standard output, message box or standard error took the text"};
  }

  std::string bytes;
  if (RunOptions.Unicode) {
    bytes.reserve(lines.size() * 2);
    for (char16_t unit : lines) {  // little-endian, no byte-order mark
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
  } else {
    std::u16string oem;
    RequireSuccess(CurrentSupport().asAnsiToOem(lines, oem), "asAnsiToOem");
    bytes = platform.NarrowToAnsi(oem);
  }

  // Output that is lost must not look like success.
  WriteResult result = platform.WriteStandardOutput(bytes);
  if (!result.ok) throw WriteFailure{std::move(result.reason)};
}
