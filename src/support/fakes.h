// Test doubles for the support operations and the platform, a guard that puts them in place
// for one test, and readers of the program's text.
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

  std::string failing;  // the operation that answers `failStatus`
  SupportStatus failStatus = -7;
  bool inIde = false;
  std::vector<std::string> calls;     // operation names, in order
  std::vector<std::u16string> guids;  // handed out by asTovrel, in turn, before new ones

  // The start-up operations answer as on a system without windows.
  SupportStatus asRegisterAppPath(std::u16string& path) override {
    return Call("asRegisterAppPath", [&] {
      path = u"/opt/tovrel";
      return kSupportOk;
    });
  }
  SupportStatus asIsInIDE(bool& result) override {
    return Call("asIsInIDE", [&] {
      result = inIde;
      return kSupportOk;
    });
  }
  SupportStatus asGetThunderMainHandle(WindowHandle& window) override {
    return Call("asGetThunderMainHandle", [&] {
      window = 0;
      return kSupportOk;
    });
  }
  SupportStatus asSetWindowResIconAll(WindowHandle, std::u16string_view) override {
    return Call("asSetWindowResIconAll", [] { return kSupportOk; });
  }
  SupportStatus asTrimEx(std::u16string_view text, std::u16string& result) override {
    return Call("asTrimEx", [&] { return real_->asTrimEx(text, result); });
  }
  SupportStatus asDestroyDoubleSpaces(std::u16string_view text, std::u16string& result) override {
    return Call("asDestroyDoubleSpaces",
                [&] { return real_->asDestroyDoubleSpaces(text, result); });
  }
  SupportStatus asTovrel(std::u16string& guid) override {
    return Call("asTovrel", [&] {
      if (guids.empty()) return real_->asTovrel(guid);
      guid = guids.front();
      guids.erase(guids.begin());
      return kSupportOk;
    });
  }
  SupportStatus asCutLeft(std::u16string_view text, std::int32_t n, std::u16string& out) override {
    return Call("asCutLeft", [&] { return real_->asCutLeft(text, n, out); });
  }
  SupportStatus asCutRight(std::u16string_view text, std::int32_t n, std::u16string& out) override {
    return Call("asCutRight", [&] { return real_->asCutRight(text, n, out); });
  }
  SupportStatus asFormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision,
                                std::u16string& result) override {
    return Call("asFormatVersion",
                [&] { return real_->asFormatVersion(major, minor, revision, result); });
  }
  // The fake platform narrows to UTF-8, which needs no translation.
  SupportStatus asAnsiToOem(std::u16string_view text, std::u16string& result) override {
    return Call("asAnsiToOem", [&] {
      result = text;
      return kSupportOk;
    });
  }

 private:
  template <typename Operation>
  SupportStatus Call(const char* name, Operation operation) {
    calls.emplace_back(name);
    return failing == name ? failStatus : operation();
  }
  std::unique_ptr<Support> real_;
};

// Keeps everything in memory. Narrowing is UTF-8, so byte checks are independent of locale.
class FakePlatform final : public Platform {
 public:
  std::u16string argumentText;
  std::u16string executableName = u"tovrel";
  bool hasStandardOutput = true;
  std::string standardOutput;
  std::u16string standardError;
  std::optional<std::u16string> clipboard;  // what the clipboard holds; nullopt: untouched
  std::vector<std::string> events;          // "controls", "clear", "set", "write", "message"

  std::u16string ArgumentText() override { return argumentText; }
  std::u16string ExecutableName() override { return executableName; }
  bool HasStandardOutput() override { return hasStandardOutput; }
  WriteResult WriteStandardOutput(std::string_view bytes) override {
    events.push_back("write");
    standardOutput += bytes;
    return {};
  }
  void WriteStandardError(std::u16string_view text) override { standardError += text; }
  void ShowMessageBox(std::u16string_view, std::u16string_view) override {
    events.push_back("message");
  }
  // Clearing is always refused: setting must go ahead all the same.
  bool ClearClipboard() override {
    events.push_back("clear");
    return false;
  }
  bool SetClipboardText(std::u16string_view text) override {
    events.push_back("set");
    clipboard = std::u16string(text);
    return true;
  }
  std::string NarrowToAnsi(std::u16string_view text) override;
  void InitCommonControls() override { events.push_back("controls"); }
};

// Puts a FakeSupport and a FakePlatform in place for its lifetime.
struct FakeWorld {
  FakeWorld();
  ~FakeWorld();

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
