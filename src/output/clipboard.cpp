// The clipboard copy: best effort, since the console output matters more.
#include "output/output.h"
#include "platform/platform.h"
#include "run/run_options.h"

void CopyToClipboard(std::u16string_view text) {
  if (!RunOptions.Clip) return;
  Platform& platform = CurrentPlatform();
  // Setting goes ahead even when clearing failed; neither failure is reported.
  static_cast<void>(platform.ClearClipboard());
  static_cast<void>(platform.SetClipboardText(platform.WithSystemLineEnds(text)));
}
