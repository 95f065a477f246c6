// The desktop's helper programs on POSIX systems: a dialog for the message box, and the
// clipboard tools of Wayland, X11 and macOS.
#pragma once

#include <string_view>

// Shows `text` with zenity or kdialog when there is a display; false when none showed it.
bool ShowInDialogHelper(std::u16string_view text, std::u16string_view caption);

// Hands `text` as UTF-8 to the first clipboard helper that applies and takes it; false when
// none did.
bool CopyWithClipboardHelper(std::u16string_view text);
