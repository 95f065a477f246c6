// Start-up, the run's order, and the batch of GUIDs.
#include "run/run.h"

#include <new>

#include "guid/guid_text.h"
#include "output/output.h"
#include "run/app_info.h"
#include "run/run_options.h"
#include "support/platform.h"
#include "support/support.h"

RunSettings RunOptions;

namespace {

std::u16string FromAscii(const char* text) {
  std::u16string out;
  for (; *text != '\0'; ++text) out += static_cast<char16_t>(*text);
  return out;
}

std::u16string Decimal(long long value) {
  std::u16string digits;
  const bool negative = value < 0;
  unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                          : static_cast<unsigned long long>(value);
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return negative ? u"-" + digits : digits;
}

// One line on standard error, after the program's name.
void ReportFailure(const std::u16string& message) {
  Platform& platform = CurrentPlatform();
  platform.WriteStandardError(WithoutExtension(platform.ExecutableName()) + u": " + message +
                              u"\n");
}

void PrepareWindow(Support& support) {
  WindowHandle window = 0;
  RequireSuccess(support.asGetThunderMainHandle(window), "asGetThunderMainHandle");
  RequireSuccess(support.asSetWindowResIconAll(window, u"A_MAIN"), "asSetWindowResIconAll");
}

}  // namespace

int Main() {
  try {
    Support& support = CurrentSupport();
    std::u16string appPath;
    RequireSuccess(support.asRegisterAppPath(appPath), "asRegisterAppPath");
    CurrentPlatform().InitCommonControls();
    bool inIde = false;
    RequireSuccess(support.asIsInIDE(inIde), "asIsInIDE");
    if (!inIde) PrepareWindow(support);
    if (ParseCommandLine()) GenerateAndPrint();
    return kExitOk;
  } catch (const SupportFailure& failure) {
    ReportFailure(FromAscii(failure.operation) + u" failed with status " +
                  Decimal(failure.status));
    return kExitSupportFailure;
  } catch (const WriteFailure& failure) {
    ReportFailure(u"write error: " + failure.reason);
    return kExitWriteError;
  } catch (const std::bad_alloc&) {
    ReportFailure(u"out of memory");
    return kExitSupportFailure;
  }
}

void GenerateAndPrint() {
  std::u16string header;
  std::u16string GuidList;
  if (!RunOptions.NoLogo) {
    header = BuildBanner() + u"\r\n\r\nНовый GUID:\r\n";
  }
  const std::int32_t count = RunOptions.Count;
  for (std::int32_t i = 0; i < count; ++i) {
    GuidList += NewGuidText();
    GuidList += u"\r\n";
  }
  // The clipboard gets the lines alone, and before the console.
  CopyToClipboard(GuidList);
  WriteToConsole(header + GuidList);
}
