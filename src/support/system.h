// The system's own support operations, defined by the support files; only support/ includes this.
#pragma once

#include "support/support.h"

// The support operations; the string operations are shared, the rest is the platform's.
class SystemSupport final : public Support {
 public:
  SupportStatus asRegisterAppPath(std::u16string& appPath) override;
  SupportStatus asIsInIDE(bool& inIde) override;
  SupportStatus asGetThunderMainHandle(WindowHandle& window) override;
  SupportStatus asSetWindowResIconAll(WindowHandle window,
                                      std::u16string_view resourceName) override;
  SupportStatus asTrimEx(std::u16string_view text, std::u16string& result) override;
  SupportStatus asDestroyDoubleSpaces(std::u16string_view text, std::u16string& result) override;
  SupportStatus asTovrel(std::u16string& guidText) override;
  SupportStatus asCutLeft(std::u16string_view text, std::int32_t count,
                          std::u16string& result) override;
  SupportStatus asCutRight(std::u16string_view text, std::int32_t count,
                           std::u16string& result) override;
  SupportStatus asFormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision,
                                std::u16string& result) override;
  SupportStatus asAnsiToOem(std::u16string_view text, std::u16string& result) override;
};
