// GUID text: the support library's GUID with its case set and its braces dropped on request.
#include "guid/guid_text.h"

#include "run/ascii_case.h"
#include "run/run_options.h"
#include "support/support.h"

std::u16string NewGuidText() {
  Support& support = CurrentSupport();
  std::u16string text;
  RequireSuccess(support.asTovrel(text), "asTovrel");

  // Always converted: the default is upper case whatever the source delivers.
  if (RunOptions.LowerCase) {
    ToAsciiLower(text);
  } else {
    ToAsciiUpper(text);
  }

  if (RunOptions.NoBraces) {
    std::u16string cut;
    // Each end is tested on its own, so a lone brace goes alone.
    if (!text.empty() && text.front() == u'{') {
      RequireSuccess(support.asCutLeft(text, 1, cut), "asCutLeft");
      text.swap(cut);
    }
    if (!text.empty() && text.back() == u'}') {
      RequireSuccess(support.asCutRight(text, 1, cut), "asCutRight");
      text.swap(cut);
    }
  }
  return text;
}
