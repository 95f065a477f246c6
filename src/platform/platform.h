// The operating-system services the program needs beyond the support operations.
#pragma once

#include <string>
#include <string_view>

struct WriteResult {
  bool ok = true;
  std::u16string reason;  // why the write failed; empty when it did not
};

class Platform {
 public:
  virtual ~Platform() = default;

  // The argument part of the command line as one raw text.
  virtual std::u16string ArgumentText() = 0;
  // The running program's file name, without its directory; never empty.
  virtual std::u16string ExecutableName() = 0;

  // False when the process was started without a standard output.
  virtual bool HasStandardOutput() = 0;
  // Writes all of `bytes` to standard output, or says why it could not.
  virtual WriteResult WriteStandardOutput(std::string_view bytes) = 0;
  // A message for the user; false when there is no standard error or it did not take it all.
  virtual bool WriteStandardError(std::u16string_view text) = 0;
  // Shows `text` to the user with an information icon and an OK button; returns when closed,
  // true however it was closed, false when it could not be shown.
  virtual bool ShowMessageBox(std::u16string_view text, std::u16string_view caption) = 0;

  // Each returns false when the clipboard refused.
  virtual bool ClearClipboard() = 0;
  virtual bool SetClipboardText(std::u16string_view text) = 0;

  // `text`, whose lines end with CR LF, with the system's own line ends.
  virtual std::u16string WithSystemLineEnds(std::u16string_view text) = 0;
  // `text` as bytes of the ANSI code page; characters the page lacks become '?'.
  virtual std::string NarrowToAnsi(std::u16string_view text) = 0;

  virtual void InitCommonControls() = 0;
};

// The system's platform, defined once per system; lives for the whole process.
Platform& SystemPlatform();

// The platform in use: the system's, unless a test has put its own in place.
Platform& CurrentPlatform();

// Puts `platform` in place of the system's; nullptr brings the system's back.
void ReplacePlatform(Platform* platform);
