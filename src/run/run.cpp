// Start-up, the run's order, and the batch of GUIDs.
#include "run/run.h"

#include <new>
#include <string>

#include "guid/guid_text.h"
#include "output/output.h"
#include "platform/platform.h"
#include "run/app_info.h"
#include "run/ascii_case.h"
#include "run/run_options.h"
#include "support/support.h"

RunSettings RunOptions;

namespace {

// One line on standard error, after the program's name, in the system's line end.
void ReportFailure(const std::u16string& message) {
  Platform& platform = CurrentPlatform();
  platform.WriteStandardError(platform.WithSystemLineEnds(
      WithoutExtension(platform.ExecutableName()) + u": " + message + u"\r\n"));
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
    const Request request = ParseCommandLine();
    if (request == Request::kBatch) GenerateAndPrint();
    return request == Request::kMistyped ? kExitUsage : kExitOk;
  } catch (const SupportFailure& failure) {
    ReportFailure(FromAscii(failure.operation) + u" failed with status " +
                  FromAscii(std::to_string(failure.status)));
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
