// One run judged against a model of the switch table written apart from the parser.
#include "command_line_check.h"

#include <algorithm>

#include "run/run.h"
#include "support/fakes.h"

namespace {

constexpr std::u16string_view kBanner =
    u"Quorbix - Tovrel, ver. 2.00.0016\r\nCopyright (C) 2026 Quorbix\r\n\r\n";
constexpr std::u16string_view kUsage =
    u"tovrel[.EXE] [/NoLogo] [/LCase] [/NoBraces] [/Unicode] [/Clip]\r\n"
    u"             [/1 | /2 | /3 | /4 | /5 | /6 | /7 | /8 | /9]\r\n"
    u"             [/? | /Help]";

struct Expected {
  bool usage = false, logo = true, lower = false, braces = true, unicode = false, clip = false;
  int count = 1;
};

Expected Model(std::u16string_view text) {
  std::u16string upper;
  for (char16_t c : text) {
    const bool separator = c == u'"' || c == u'\t' || c == u'\r' || c == u'\n';
    upper += separator ? u' ' : (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  }
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\v' || c == u'\f'; };
  while (!upper.empty() && blank(upper.back())) upper.pop_back();
  std::size_t at = 0;
  while (at < upper.size() && blank(upper[at])) ++at;
  Expected e;
  while (at < upper.size()) {
    const std::size_t end = std::min(upper.find(u' ', at), upper.size());
    const std::u16string_view token = std::u16string_view(upper).substr(at, end - at);
    at = upper.find_first_not_of(u' ', end);
    if (token == u"/NOLOGO")
      e.logo = false;
    else if (token == u"/LCASE")
      e.lower = true;
    else if (token == u"/NOBRACES")
      e.braces = false;
    else if (token == u"/UNICODE")
      e.unicode = true;
    else if (token == u"/CLIP")
      e.clip = true;
    else if (token.size() == 2 && token[0] == u'/' && token[1] >= u'1' && token[1] <= u'9')
      e.count = token[1] - u'0';
    else
      return e.usage = true, e;
  }
  return e;
}

}  // namespace

std::string CheckCommandLine(std::u16string_view argumentText) {
  const Expected e = Model(argumentText);
  FakeWorld world;
  world.platform.argumentText = argumentText;
  if (Main() != kExitOk) return "a failed run";
  const std::string& bytes = world.platform.standardOutput;
  std::u16string text;
  for (std::size_t i = 0; e.unicode && i + 1 < bytes.size(); i += 2)
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  if (!e.unicode) text = Utf16(bytes);
  const auto& events = world.platform.events;
  if (std::count(events.begin(), events.end(), "write") != 1 ||
      !world.platform.standardError.empty() || !world.platform.messageBoxes.empty())
    return "other writes than one to standard output";
  if (e.usage) {
    if (text != std::u16string(kBanner) + std::u16string(kUsage)) return "not the usage text";
    return world.platform.clipboard ? "the clipboard touched" : "";
  }
  const std::u16string head = e.logo ? std::u16string(kBanner) + u"Новый GUID:\r\n" : u"";
  if (text.compare(0, head.size(), head) != 0) return "a wrong header";
  const std::u16string list = text.substr(head.size());
  const auto lines = SplitCrLfLines(list);
  if (!lines || lines->size() != static_cast<std::size_t>(e.count)) return "a wrong line count";
  for (const std::u16string& line : *lines) {
    const auto shape = ParseGuidText(line);
    if (!shape || shape->braces != e.braces || shape->version != 4 || !shape->rfcVariant ||
        (e.lower ? shape->hasUpper : shape->hasLower))
      return "a malformed GUID line: " + Utf8(line);
  }
  if (e.clip != world.platform.clipboard.has_value() ||
      (e.clip && *world.platform.clipboard != list))
    return "a wrong clipboard";
  return "";
}
