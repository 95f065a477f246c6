// Test doubles for the support operations and the platform, a guard that puts them in place
// for one test, and readers of the program's text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "run/run_options.h"
#include "support/platform.h"
#include "support/support.h"
#include "support/utf8.h"

// Does what the system does, except where a test says otherwise; records every call.
class FakeSupport final : public Support {
 public:
  std::string failing;  // the operation that answers `failStatus`
  SupportStatus failStatus = -7;
  bool inIde = false;
  std::vector<std::string> calls;     // operation names, in order
  std::vector<std::u16string> guids;  // handed out by asTovrel, in turn, before new ones

  // The start-up operations answer as on a system without windows.
  SupportStatus asRegisterAppPath(std::u16string& path) override {
    path = u"/opt/tovrel";
    return Status(__func__);
  }
  SupportStatus asIsInIDE(bool& result) override {
    result = inIde;
    return Status(__func__);
  }
  SupportStatus asGetThunderMainHandle(WindowHandle& window) override {
    window = 0;
    return Status(__func__);
  }
  SupportStatus asSetWindowResIconAll(WindowHandle, std::u16string_view) override {
    return Status(__func__);
  }
  SupportStatus asTovrel(std::u16string& guid) override {
    if (Fails(__func__)) return failStatus;
    if (guids.empty()) return real_.asTovrel(guid);
    guid = guids.front();
    guids.erase(guids.begin());
    return kSupportOk;
  }
  // The fake platform narrows to UTF-8, which needs no translation.
  SupportStatus asAnsiToOem(std::u16string_view text, std::u16string& result) override {
    result = text;
    return Status(__func__);
  }
  SupportStatus asTrimEx(std::u16string_view text, std::u16string& result) override {
    return Fails(__func__) ? failStatus : real_.asTrimEx(text, result);
  }
  SupportStatus asDestroyDoubleSpaces(std::u16string_view text, std::u16string& result) override {
    return Fails(__func__) ? failStatus : real_.asDestroyDoubleSpaces(text, result);
  }
  SupportStatus asCutLeft(std::u16string_view text, std::int32_t n, std::u16string& out) override {
    return Fails(__func__) ? failStatus : real_.asCutLeft(text, n, out);
  }
  SupportStatus asCutRight(std::u16string_view text, std::int32_t n, std::u16string& out) override {
    return Fails(__func__) ? failStatus : real_.asCutRight(text, n, out);
  }
  SupportStatus asFormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision,
                                std::u16string& result) override {
    return Fails(__func__) ? failStatus : real_.asFormatVersion(major, minor, revision, result);
  }

 private:
  // Records the call; true for the operation that is to fail.
  bool Fails(const char* name) {
    calls.emplace_back(name);
    return failing == name;
  }
  SupportStatus Status(const char* name) { return Fails(name) ? failStatus : kSupportOk; }
  Support& real_ = CurrentSupport();  // the system's, as no fake is in place yet
};

// Keeps everything in memory. Narrowing is UTF-8, so byte checks are independent of locale.
class FakePlatform final : public Platform {
 public:
  std::u16string argumentText;
  std::string standardOutput;
  std::u16string standardError;
  std::optional<std::u16string> clipboard;  // what the clipboard holds; nullopt: untouched
  std::vector<std::string> events;          // "controls", "clear", "set", "write", "message"

  std::u16string ArgumentText() override { return argumentText; }
  std::u16string ExecutableName() override { return u"tovrel"; }
  bool HasStandardOutput() override { return true; }
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
  std::string NarrowToAnsi(std::u16string_view text) override { return EncodeUtf8(text); }
  void InitCommonControls() override { events.push_back("controls"); }
};

// Puts a FakeSupport and a FakePlatform in place, with the options reset, for its lifetime.
struct FakeWorld {
  FakeWorld() { Use(&support, &platform); }
  ~FakeWorld() { Use(nullptr, nullptr); }
  static void Use(Support* support, Platform* platform) {
    ReplaceSupport(support);
    ReplacePlatform(platform);
    RunOptions = RunSettings{};
  }

  FakeSupport support;
  FakePlatform platform;
};

// What a GUID text looks like, read by a parser rather than compared with a fixed text.
struct GuidShape {
  bool braces = false;
  bool hasLower = false;                 // any of a-f
  bool hasUpper = false;                 // any of A-F
  bool version4 = false;                 // version 4, variant 10
  std::array<std::uint8_t, 16> bytes{};  // the value, most significant first
};

// nullopt unless `text` is 8-4-4-4-12 hexadecimal digits, optionally in one pair of braces.
inline std::optional<GuidShape> ParseGuidText(std::u16string_view text) {
  GuidShape shape;
  shape.braces = text.size() == 38 && text.front() == u'{' && text.back() == u'}';
  if (shape.braces) text = text.substr(1, 36);
  if (text.size() != 36) return std::nullopt;
  for (std::size_t i = 0, digits = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (c != u'-') return std::nullopt;
      continue;
    }
    const bool lower = c >= u'a' && c <= u'f', upper = c >= u'A' && c <= u'F';
    if (!lower && !upper && (c < u'0' || c > u'9')) return std::nullopt;
    shape.hasLower |= lower;
    shape.hasUpper |= upper;
    const int value = lower ? c - u'a' + 10 : upper ? c - u'A' + 10 : c - u'0';
    shape.bytes[digits / 2] |= value << (digits % 2 == 0 ? 4 : 0);
    ++digits;
  }
  shape.version4 = shape.bytes[6] >> 4 == 4 && (shape.bytes[8] & 0xC0) == 0x80;
  return shape;
}

// The lines of `text`, each of which must end with CR LF; nullopt when one does not.
inline std::optional<std::vector<std::u16string>> SplitCrLfLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of(u"\r\n");
    if (end == std::u16string_view::npos || text.substr(end, 2) != u"\r\n") return std::nullopt;
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  return lines;
}
