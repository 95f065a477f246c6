// Standard output: code-page bytes or UTF-16LE, with a message box when there is none.
#include "output/output.h"
#include "platform/platform.h"
#include "run/app_info.h"
#include "run/run_options.h"
#include "support/support.h"

void WriteToConsole(std::u16string_view text) {
  Platform& platform = CurrentPlatform();
  if (!platform.HasStandardOutput()) {
    // Text that reaches nobody must not look like success either.
    if (platform.ShowMessageBox(text, ReadAppInfo().Title) || platform.WriteStandardError(text))
      return;
    throw WriteFailure{u"no standard output, message box or standard error took the text"};
  }

  std::string bytes;
  if (RunOptions.Unicode) {
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {  // little-endian, no byte-order mark
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
  } else {
    std::u16string oem;
    RequireSuccess(CurrentSupport().asAnsiToOem(text, oem), "asAnsiToOem");
    bytes = platform.NarrowToAnsi(oem);
  }

  // Output that is lost must not look like success.
  WriteResult result = platform.WriteStandardOutput(bytes);
  if (!result.ok) throw WriteFailure{std::move(result.reason)};
}
