// The output channels: standard output (or a message box) and the clipboard.
#pragma once

#include <string>
#include <string_view>

// What ends the run when standard output does not take the whole text.
struct WriteFailure {
  std::u16string reason;
};

// Writes `text` to standard output in the run's encoding, or shows it in a message box when
// there is no standard output, or else writes it to standard error. Throws WriteFailure when
// none of them took it.
void WriteToConsole(std::u16string_view text);

// Puts `text` on the clipboard when the run asks for it; failures are ignored.
void CopyToClipboard(std::u16string_view text);
