// Test doubles for the support operations and the platform, and a guard that puts them in
// place for one test.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/platform.h"
#include "support/support.h"

// Does what the system does, except where a test says otherwise; records every call.
class FakeSupport final : public Support {
 public:
  FakeSupport();
  ~FakeSupport() override;

  std::string failing;  // the operation that answers `failStatus`
  SupportStatus failStatus = -7;
  bool inIde = false;
  std::vector<std::u16string> guids;  // handed out by asTovrel in turn, instead of new ones
  std::vector<std::string> calls;     // operation names, in order

  SupportStatus asRegisterAppPath(std::u16string& appPath) override;
  SupportStatus asIsInIDE(bool& result) override;
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

  int CallsTo(const std::string& operation) const;

 private:
  bool Fails(const char* operation);
  std::unique_ptr<Support> real_;
  std::size_t nextGuid_ = 0;
};

// Keeps everything in memory. Narrowing is UTF-8, so byte checks are independent of locale.
class FakePlatform final : public Platform {
 public:
  std::u16string argumentText;
  std::u16string executableName = u"tovrel";
  bool hasStandardOutput = true;
  std::optional<std::u16string> writeFailure;  // the reason every write fails with
  bool clipboardRefuses = false;

  std::string standardOutput;
  std::u16string standardError;
  struct MessageBox {
    std::u16string text;
    std::u16string caption;
  };
  std::vector<MessageBox> messageBoxes;
  std::optional<std::u16string> clipboard;  // what the clipboard holds; nullopt: untouched
  std::vector<std::string> events;          // "clear", "set", "write", "message", "controls"

  std::u16string ArgumentText() override { return argumentText; }
  std::u16string ExecutableName() override { return executableName; }
  bool HasStandardOutput() override { return hasStandardOutput; }
  WriteResult WriteStandardOutput(std::string_view bytes) override;
  void WriteStandardError(std::u16string_view text) override { standardError += text; }
  void ShowMessageBox(std::u16string_view text, std::u16string_view caption) override;
  bool ClearClipboard() override;
  bool SetClipboardText(std::u16string_view text) override;
  std::string NarrowToAnsi(std::u16string_view text) override;
  void InitCommonControls() override { events.push_back("controls"); }
};

// Puts a FakeSupport and a FakePlatform in place for its lifetime.
struct FakeWorld {
  FakeWorld();
  ~FakeWorld();
  FakeWorld(const FakeWorld&) = delete;
  FakeWorld& operator=(const FakeWorld&) = delete;

  FakeSupport support;
  FakePlatform platform;
};

// Test-side text helpers.
std::string Utf8(std::u16string_view text);
std::u16string Utf16(std::string_view utf8);

// What a GUID text looks like, read by a parser rather than compared with a fixed text.
struct GuidShape {
  bool braces = false;
  bool hasLower = false;    // any of a-f
  bool hasUpper = false;    // any of A-F
  int version = -1;         // the version nibble
  bool rfcVariant = false;  // variant bits 10
};

// nullopt unless `text` is 8-4-4-4-12 hexadecimal digits, optionally in one pair of braces.
std::optional<GuidShape> ParseGuidText(std::u16string_view text);

// The lines of `text`, each of which must end with CR LF; nullopt when one does not.
std::optional<std::vector<std::u16string>> SplitCrLfLines(std::u16string_view text);
