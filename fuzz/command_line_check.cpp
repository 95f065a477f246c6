// One run judged against the switch table, read here apart from the parser.
#include "command_line_check.h"

#include <algorithm>
#include <vector>

#include "run/run.h"
#include "support/fakes.h"

namespace {

constexpr std::u16string_view kBanner =
    u"Quorbix - Tovrel, ver. 2.00.0016\r\nCopyright (C) 2026 Quorbix\r\n\r\n";
constexpr std::u16string_view kUsage =
    u"tovrel[.EXE] [/NoLogo] [/LCase] [/NoBraces] [/Unicode] [/Clip]\r\n"
    u"             [/1 | /2 | /3 | /4 | /5 | /6 | /7 | /8 | /9]\r\n             [/? | /Help]";
constexpr std::u16string_view kSwitches[] = {
    u"/NOLOGO", u"/LCASE", u"/NOBRACES", u"/UNICODE", u"/CLIP", u"/1", u"/2",
    u"/3",      u"/4",     u"/5",        u"/6",       u"/7",    u"/8", u"/9"};

std::u16string FromUtf16Le(std::string_view bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  return text;
}

// The upper-cased tokens: quotes, tabs and line breaks separate; blanks at the ends go.
std::vector<std::u16string> Tokens(std::u16string_view text) {
  std::u16string s;
  for (char16_t c : text) {
    const bool separator = c == u'"' || c == u'\t' || c == u'\r' || c == u'\n';
    s += separator ? u' ' : c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
  }
  const std::size_t first = s.find_first_not_of(u" \v\f");
  s = first == std::u16string::npos ? u""
                                    : s.substr(first, s.find_last_not_of(u" \v\f") + 1 - first);
  std::vector<std::u16string> tokens;
  for (std::size_t at = 0, end = 0; at < s.size(); at = s.find_first_not_of(u' ', end)) {
    end = std::min(s.find(u' ', at), s.size());
    tokens.push_back(s.substr(at, end - at));
  }
  return tokens;
}

}  // namespace

std::string CheckCommandLine(std::string_view utf16le) {
  const std::u16string argumentText = FromUtf16Le(utf16le);
  const auto tokens = Tokens(argumentText);
  const auto bad = std::find_if(tokens.begin(), tokens.end(), [](const auto& token) {
    return std::find(std::begin(kSwitches), std::end(kSwitches), token) == std::end(kSwitches);
  });
  const auto has = [&](std::u16string_view s) { return std::find(tokens.begin(), bad, s) != bad; };
  int count = 1;
  for (auto it = tokens.begin(); it != bad; ++it) count = it->size() == 2 ? (*it)[1] - u'0' : count;
  FakeWorld world;
  world.platform.argumentText = argumentText;
  if (Main() != kExitOk) return "a failed run";
  const std::string& out = world.platform.standardOutput;
  const std::u16string text = has(u"/UNICODE") ? FromUtf16Le(out) : DecodeUtf8(out);
  const auto& events = world.platform.events;
  if (std::count(events.begin(), events.end(), "write") != 1 ||
      std::count(events.begin(), events.end(), "message") != 0 ||
      !world.platform.standardError.empty())
    return "other writes than one to standard output";
  if (bad != tokens.end()) {
    if (text != std::u16string(kBanner) + std::u16string(kUsage)) return "not the usage text";
    return world.platform.clipboard ? "the clipboard touched" : "";
  }
  const std::u16string head = has(u"/NOLOGO") ? u"" : std::u16string(kBanner) + u"Новый GUID:\r\n";
  if (text.compare(0, head.size(), head) != 0) return "a wrong header";
  const std::u16string list = text.substr(head.size());
  const auto lines = SplitCrLfLines(list);
  if (!lines || lines->size() != static_cast<std::size_t>(count)) return "a wrong line count";
  for (const std::u16string& line : *lines) {
    const auto shape = ParseGuidText(line);
    if (!shape || shape->braces == has(u"/NOBRACES") || !shape->version4 ||
        (has(u"/LCASE") ? shape->hasUpper : shape->hasLower))
      return "a malformed GUID line: " + EncodeUtf8(line);
  }
  if (world.platform.clipboard != (has(u"/CLIP") ? std::optional(list) : std::nullopt))
    return "a wrong clipboard";
  return "";
}
