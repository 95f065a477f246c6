// The test double for the support operations and the platform, and readers of the program's
// text.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "platform/utf8.h"
#include "run/run_options.h"
#include "support/support.h"

// Records the call; the call numbered `failAt`, from 1, answers -1234, the others `result`.
#define TOVREL_FAKE(name, parameters, result)       \
  SupportStatus name parameters override {          \
    calls.emplace_back(#name);                      \
    return calls.size() == failAt ? -1234 : result; \
  }

// Stands in for the support and the platform while it lives, with the options reset. The
// support does what the system's does, except that the window operations do nothing, the text
// for the OEM page is the text itself and `guid` comes first. The platform keeps everything in
// memory, keeps CR LF, narrows to UTF-8 so that byte checks do not depend on the locale, and
// refuses to clear the clipboard: setting must go ahead all the same.
struct FakeWorld final : Support, Platform {
  using In = std::u16string_view;
  using Out = std::u16string;

  std::size_t failAt = 0;
  bool inIde = false;
  std::u16string guid;             // what asTovrel hands out, unless empty
  std::vector<std::string> calls;  // support operations, in order
  std::u16string argumentText;
  std::string standardOutput;
  std::u16string standardError;
  std::optional<std::u16string> clipboard;  // nullopt: untouched
  std::vector<std::string> events;          // "controls", "clear", "set", "write"

  explicit FakeWorld(std::u16string arguments = u"", std::size_t failingCall = 0)
      : failAt(failingCall), argumentText(std::move(arguments)) {
    Use(this);
  }
  ~FakeWorld() override { Use(nullptr); }
  static void Use(FakeWorld* world) {
    ReplaceSupport(world);
    ReplacePlatform(world);
    RunOptions = RunSettings{};
  }

  TOVREL_FAKE(asRegisterAppPath, (Out & r), real_.asRegisterAppPath(r))
  TOVREL_FAKE(asIsInIDE, (bool& r), Give(r, inIde))
  TOVREL_FAKE(asGetThunderMainHandle, (WindowHandle & r), Give(r, WindowHandle{0}))
  TOVREL_FAKE(asSetWindowResIconAll, (WindowHandle, In), 0)
  TOVREL_FAKE(asTovrel, (Out & r), guid.empty() ? real_.asTovrel(r) : Give(r, guid))
  TOVREL_FAKE(asAnsiToOem, (In t, Out& r), Give(r, Out(t)))
  TOVREL_FAKE(asTrimEx, (In t, Out& r), real_.asTrimEx(t, r))
  TOVREL_FAKE(asDestroyDoubleSpaces, (In t, Out& r), real_.asDestroyDoubleSpaces(t, r))
  TOVREL_FAKE(asCutLeft, (In t, std::int32_t n, Out& r), real_.asCutLeft(t, n, r))
  TOVREL_FAKE(asCutRight, (In t, std::int32_t n, Out& r), real_.asCutRight(t, n, r))
  TOVREL_FAKE(asFormatVersion, (std::int32_t a, std::int32_t b, std::int32_t c, Out& r),
              real_.asFormatVersion(a, b, c, r))

  std::u16string ArgumentText() override { return argumentText; }
  // A leading dot starts no extension: messages call it ".t" too.
  std::u16string ExecutableName() override { return u".t"; }
  bool HasStandardOutput() override { return true; }
  WriteResult WriteStandardOutput(std::string_view bytes) override {
    events.emplace_back("write");
    standardOutput += bytes;
    return {};
  }
  bool WriteStandardError(In text) override { return standardError += text, true; }
  bool ShowMessageBox(In, In) override { return true; }
  bool ClearClipboard() override {
    events.emplace_back("clear");
    return false;
  }
  bool SetClipboardText(In text) override {
    events.emplace_back("set");
    clipboard = Out(text);
    return true;
  }
  Out WithSystemLineEnds(In text) override { return Out(text); }
  std::string NarrowToAnsi(In text) override { return EncodeUtf8(text); }
  void InitCommonControls() override { events.emplace_back("controls"); }

  // Hands `value` out through `out`, as the operations do.
  template <typename T>
  static SupportStatus Give(T& out, const T& value) {
    out = value;
    return kSupportOk;
  }

  Support& real_ = CurrentSupport();  // the system's, as no fake is in place yet
};
#undef TOVREL_FAKE

// The value of `text`, most significant byte first; nullopt unless it is 8-4-4-4-12
// hexadecimal digits of version 4 and variant 10, optionally in one pair of braces.
inline std::optional<std::array<std::uint8_t, 16>> ParseGuidText(std::u16string_view text) {
  if (text.size() == 38 && text.front() == u'{' && text.back() == u'}') text = text.substr(1, 36);
  if (text.size() != 36) return std::nullopt;
  std::array<std::uint8_t, 16> bytes{};
  for (std::size_t i = 0, digits = 0; i < text.size(); ++i) {
    const auto value = std::u16string_view(u"0123456789abcdef0123456789ABCDEF").find(text[i]);
    const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    if (dash ? text[i] != u'-' : value == std::u16string_view::npos) return std::nullopt;
    if (dash) continue;
    bytes[digits / 2] |= value % 16 << (digits % 2 ? 0 : 4);
    ++digits;
  }
  if (bytes[6] >> 4 != 4 || (bytes[8] & 0xC0) != 0x80) return std::nullopt;
  return bytes;
}

// How many GUIDs `text` holds, one a line, each line ended by CR LF and all with braces or
// all without; -1 for anything else.
inline int CountGuidLines(std::u16string_view text) {
  const std::size_t line = text.starts_with(u'{') ? 40 : 38;
  for (std::size_t at = 0; at < text.size(); at += line) {
    if (!ParseGuidText(text.substr(at, line - 2)) || text.substr(at + line - 2, 2) != u"\r\n")
      return -1;
  }
  return static_cast<int>(text.size() / line);
}
