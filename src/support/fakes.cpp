// Test doubles for the support operations and the platform.
#include "support/fakes.h"

#include "run/run_options.h"
#include "support/system.h"
#include "support/utf8.h"

FakeSupport::FakeSupport() : real_(std::make_unique<SystemSupport>()) {}

std::string FakePlatform::NarrowToAnsi(std::u16string_view text) { return EncodeUtf8(text); }

FakeWorld::FakeWorld() {
  ReplaceSupport(&support);
  ReplacePlatform(&platform);
  RunOptions = RunSettings{};
}

FakeWorld::~FakeWorld() {
  ReplaceSupport(nullptr);
  ReplacePlatform(nullptr);
  RunOptions = RunSettings{};
}

std::string Utf8(std::u16string_view text) { return EncodeUtf8(text); }
std::u16string Utf16(std::string_view utf8) { return DecodeUtf8(utf8); }

namespace {

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

std::optional<GuidShape> ParseGuidText(std::u16string_view text) {
  GuidShape shape;
  shape.braces = text.size() == 38 && text.front() == u'{' && text.back() == u'}';
  if (shape.braces) text = text.substr(1, 36);
  if (text.size() != 36) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
    if (hyphenPlace ? text[i] != u'-' : HexValue(text[i]) < 0) return std::nullopt;
    shape.hasLower |= text[i] >= u'a' && text[i] <= u'f';
    shape.hasUpper |= text[i] >= u'A' && text[i] <= u'F';
  }
  shape.version = HexValue(text[14]);
  shape.rfcVariant = (HexValue(text[19]) & 0xC) == 0x8;
  return shape;
}

std::optional<std::vector<std::u16string>> SplitCrLfLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find(u"\r\n");
    if (end == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view line = text.substr(0, end);
    if (line.find_first_of(u"\r\n") != std::u16string_view::npos) return std::nullopt;
    lines.emplace_back(line);
    text.remove_prefix(end + 2);
  }
  return lines;
}
