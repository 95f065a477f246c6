// The support services the program calls: eleven operations, each answering with a
// SupportStatus and handing its result back through its last parameter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Negative means failure; a failure ends the run.
using SupportStatus = std::int32_t;

inline constexpr SupportStatus kSupportOk = 0;
inline constexpr SupportStatus kSupportBadArgument = -1;
inline constexpr SupportStatus kSupportSystemFailure = -2;

// Opaque name of a window of this process; 0 where the platform has none.
using WindowHandle = std::uintptr_t;

class Support {
 public:
  virtual ~Support() = default;

  // The full path of the running program.
  virtual SupportStatus asRegisterAppPath(std::u16string& appPath) = 0;
  // True only while the program runs under its development environment.
  virtual SupportStatus asIsInIDE(bool& inIde) = 0;
  // The program's hidden top-level window.
  virtual SupportStatus asGetThunderMainHandle(WindowHandle& window) = 0;
  // Gives `window` the icon group `resourceName` in every size it has.
  virtual SupportStatus asSetWindowResIconAll(WindowHandle window,
                                              std::u16string_view resourceName) = 0;
  // `text` without leading and trailing blanks.
  virtual SupportStatus asTrimEx(std::u16string_view text, std::u16string& result) = 0;
  // `text` with every run of two or more spaces reduced to one.
  virtual SupportStatus asDestroyDoubleSpaces(std::u16string_view text, std::u16string& result) = 0;
  // A new GUID in its braced form: "{" 8-4-4-4-12 hex digits "}", 38 characters.
  virtual SupportStatus asTovrel(std::u16string& guidText) = 0;
  // `text` without its first `count` characters; a negative count is refused.
  virtual SupportStatus asCutLeft(std::u16string_view text, std::int32_t count,
                                  std::u16string& result) = 0;
  // `text` without its last `count` characters; a negative count is refused.
  virtual SupportStatus asCutRight(std::u16string_view text, std::int32_t count,
                                   std::u16string& result) = 0;
  // One line such as "2.00.0016".
  virtual SupportStatus asFormatVersion(std::int32_t major, std::int32_t minor,
                                        std::int32_t revision, std::u16string& result) = 0;
  // A text that, narrowed through the ANSI code page, gives `text` in the OEM code page.
  virtual SupportStatus asAnsiToOem(std::u16string_view text, std::u16string& result) = 0;
};

// The support in use: the system's, unless a test has put its own in place.
Support& CurrentSupport();

// Puts `support` in place of the system's; nullptr brings the system's back.
// The caller keeps ownership and must outlive its use.
void ReplaceSupport(Support* support);

// What ends the run when an operation fails.
struct SupportFailure {
  const char* operation;
  SupportStatus status;
};

// Throws SupportFailure for a negative status.
inline void RequireSuccess(SupportStatus status, const char* operation) {
  if (status < 0) throw SupportFailure{operation, status};
}
