// libFuzzer target: arbitrary UTF-16LE bytes as the command line's argument text. Whatever they
// say, the run must write the usage text or one batch of GUIDs, and nothing else. Which switch
// does what is the end-to-end table's to check. The same text, read as a whole Windows command
// line, must lose the program's name where the rule for it says.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app_version.h"
#include "platform/command_line_text.h"
#include "run/run.h"
#include "testing/fakes.h"

// The version as CMake writes it, against the one asFormatVersion makes of the numbers.
static constexpr std::u16string_view kBanner =
    u"" TOVREL_TITLE ", ver. " TOVREL_VERSION_TEXT "\r\n" TOVREL_COPYRIGHT "\r\n\r\n";
static constexpr std::u16string_view kUsage =
    u".t[.EXE] [/NoLogo] [/LCase] [/NoBraces] [/Unicode] [/Clip]\r\n"
    u"         [/1 | /2 | /3 | /4 | /5 | /6 | /7 | /8 | /9]\r\n         [/? | /Help]";

// Every target is little-endian; an odd last byte is dropped.
static std::u16string FromUtf16Le(std::string_view bytes) {
  return std::u16string(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
}

// The rule for the program's name, put another way: it ends at the first blank with an even
// count of quotation marks before it, or right after the second mark when it starts with one.
static std::u16string_view AfterNameByTheRule(std::u16string_view line) {
  std::size_t end = 0;
  std::size_t marks = 0;
  const auto blank = [&] { return end < line.size() && (line[end] == u' ' || line[end] == u'\t'); };
  while (end < line.size() && !(marks % 2 == 0 && blank()) && !(line[0] == u'"' && marks == 2))
    marks += line[end++] == u'"';
  while (blank()) ++end;
  return line.substr(end);
}

// Runs the program, faked, on `utf16le`. Gives the count of a batch (1 to 9 GUID lines after
// the optional header, which a touched clipboard holds alone), 0 for the usage or version text
// with the clipboard untouched, and -1 for anything else, a split against the rule included.
int CheckCommandLine(std::string_view utf16le) {
  const std::u16string line = FromUtf16Le(utf16le);
  if (ArgumentsAfterProgramName(line) != AfterNameByTheRule(line)) return -1;
  FakeWorld world(line);
  // Which status goes with which text is the end-to-end table's to check.
  if (Main() == kExitWriteError || !world.standardError.empty() ||
      std::ranges::count(world.events, "write") != 1)
    return -1;
  const std::string& out = world.standardOutput;
  // Code-page bytes (UTF-8 here) hold no NUL; UTF-16LE, under /Unicode, has one second.
  const std::u16string decoded =
      out.size() > 1 && out[1] == '\0' ? FromUtf16Le(out) : DecodeUtf8(out);
  std::u16string_view text = decoded;
  const bool version = text == kBanner.substr(0, kBanner.size() - 2);  // --version
  if (version || (text.starts_with(kBanner) && text.substr(kBanner.size()) == kUsage))
    return world.clipboard ? -1 : 0;
  const std::u16string header = std::u16string(kBanner) + u"Новый GUID:\r\n";
  if (text.starts_with(header)) text.remove_prefix(header.size());
  const int lines = CountGuidLines(text);
  return lines >= 1 && lines <= 9 && (!world.clipboard || *world.clipboard == text) ? lines : -1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (CheckCommandLine({reinterpret_cast<const char*>(data), size}) < 0) std::abort();
  return 0;
}
