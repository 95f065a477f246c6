// The command line: normalisation, tokens and the switch table.
#include <algorithm>
#include <array>
#include <string>

#include "platform/platform.h"
#include "run/ascii_case.h"
#include "run/run.h"
#include "run/run_options.h"
#include "support/support.h"

namespace {

struct Switch {
  std::u16string_view token;  // upper case: tokens are compared after upper-casing
  void (*apply)(RunSettings&);
};

// Flags only switch on; a later count replaces an earlier one.
constexpr std::array<Switch, 14> kSwitches{{
    {u"/NOLOGO", [](RunSettings& o) { o.NoLogo = true; }},
    {u"/LCASE", [](RunSettings& o) { o.LowerCase = true; }},
    {u"/NOBRACES", [](RunSettings& o) { o.NoBraces = true; }},
    {u"/UNICODE", [](RunSettings& o) { o.Unicode = true; }},
    {u"/CLIP", [](RunSettings& o) { o.Clip = true; }},
    {u"/1", [](RunSettings& o) { o.Count = 1; }},
    {u"/2", [](RunSettings& o) { o.Count = 2; }},
    {u"/3", [](RunSettings& o) { o.Count = 3; }},
    {u"/4", [](RunSettings& o) { o.Count = 4; }},
    {u"/5", [](RunSettings& o) { o.Count = 5; }},
    {u"/6", [](RunSettings& o) { o.Count = 6; }},
    {u"/7", [](RunSettings& o) { o.Count = 7; }},
    {u"/8", [](RunSettings& o) { o.Count = 8; }},
    {u"/9", [](RunSettings& o) { o.Count = 9; }},
}};

// Asking for the usage text is no mistake: Windows' forms and those typed from habit elsewhere.
constexpr std::array<std::u16string_view, 5> kHelpTokens{u"/?", u"/HELP", u"-?", u"-H", u"--HELP"};
// GNU's question for the version, which packagers' checks and scripts ask.
constexpr std::u16string_view kVersionToken = u"--VERSION";

// Applies the switch named by `token`; false when there is none.
bool ApplySwitch(std::u16string_view token) {
  for (const Switch& row : kSwitches) {
    if (row.token == token) {
      row.apply(RunOptions);
      return true;
    }
  }
  return false;
}

}  // namespace

Request ParseCommandLine() {
  RunOptions = RunSettings{};
  Support& support = CurrentSupport();

  bool inIde = false;
  RequireSuccess(support.asIsInIDE(inIde), "asIsInIDE");
  std::u16string text =
      inIde ? std::u16string(DevTestCommandLine) : CurrentPlatform().ArgumentText();

  // Quotation marks and line breaks separate switches like spaces do.
  for (char16_t blank : {u'"', u'\t', u'\r', u'\n'}) {
    std::replace(text.begin(), text.end(), blank, u' ');
  }
  std::u16string trimmed;
  RequireSuccess(support.asTrimEx(text, trimmed), "asTrimEx");
  RequireSuccess(support.asDestroyDoubleSpaces(trimmed, text), "asDestroyDoubleSpaces");
  ToAsciiUpper(text);

  if (text.empty()) return Request::kBatch;
  std::size_t start = 0;
  while (true) {
    const std::size_t space = text.find(u' ', start);
    const std::u16string_view token = std::u16string_view(text).substr(
        start, space == std::u16string::npos ? space : space - start);
    if (token == kVersionToken) {
      ShowVersion();
      return Request::kVersion;
    }
    if (!ApplySwitch(token)) {
      ShowUsage();
      return std::ranges::find(kHelpTokens, token) != kHelpTokens.end() ? Request::kHelp
                                                                        : Request::kMistyped;
    }
    if (space == std::u16string::npos) return Request::kBatch;
    start = space + 1;
  }
}
