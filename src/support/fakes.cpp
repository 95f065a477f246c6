// Test doubles for the support operations and the platform.
#include "support/fakes.h"

#include "run/run_options.h"
#include "support/system.h"
#include "support/utf8.h"

FakeSupport::FakeSupport() : real_(std::make_unique<SystemSupport>()) {}
FakeSupport::~FakeSupport() = default;

bool FakeSupport::Fails(const char* operation) {
  calls.emplace_back(operation);
  return failing == operation;
}

int FakeSupport::CallsTo(const std::string& operation) const {
  int n = 0;
  for (const std::string& call : calls) n += call == operation ? 1 : 0;
  return n;
}

SupportStatus FakeSupport::asRegisterAppPath(std::u16string& appPath) {
  if (Fails("asRegisterAppPath")) return failStatus;
  appPath = u"/opt/tovrel/tovrel";
  return kSupportOk;
}

SupportStatus FakeSupport::asIsInIDE(bool& result) {
  if (Fails("asIsInIDE")) return failStatus;
  result = inIde;
  return kSupportOk;
}

SupportStatus FakeSupport::asGetThunderMainHandle(WindowHandle& window) {
  if (Fails("asGetThunderMainHandle")) return failStatus;
  window = 42;
  return kSupportOk;
}

SupportStatus FakeSupport::asSetWindowResIconAll(WindowHandle, std::u16string_view) {
  return Fails("asSetWindowResIconAll") ? failStatus : kSupportOk;
}

SupportStatus FakeSupport::asTrimEx(std::u16string_view text, std::u16string& result) {
  return Fails("asTrimEx") ? failStatus : real_->asTrimEx(text, result);
}

SupportStatus FakeSupport::asDestroyDoubleSpaces(std::u16string_view text, std::u16string& result) {
  return Fails("asDestroyDoubleSpaces") ? failStatus : real_->asDestroyDoubleSpaces(text, result);
}

SupportStatus FakeSupport::asTovrel(std::u16string& guidText) {
  if (Fails("asTovrel")) return failStatus;
  if (nextGuid_ < guids.size()) {
    guidText = guids[nextGuid_++];
    return kSupportOk;
  }
  return real_->asTovrel(guidText);
}

SupportStatus FakeSupport::asCutLeft(std::u16string_view text, std::int32_t count,
                                     std::u16string& result) {
  return Fails("asCutLeft") ? failStatus : real_->asCutLeft(text, count, result);
}

SupportStatus FakeSupport::asCutRight(std::u16string_view text, std::int32_t count,
                                      std::u16string& result) {
  return Fails("asCutRight") ? failStatus : real_->asCutRight(text, count, result);
}

SupportStatus FakeSupport::asFormatVersion(std::int32_t major, std::int32_t minor,
                                           std::int32_t revision, std::u16string& result) {
  return Fails("asFormatVersion") ? failStatus
                                  : real_->asFormatVersion(major, minor, revision, result);
}

SupportStatus FakeSupport::asAnsiToOem(std::u16string_view text, std::u16string& result) {
  if (Fails("asAnsiToOem")) return failStatus;
  result.assign(text);
  return kSupportOk;
}

WriteResult FakePlatform::WriteStandardOutput(std::string_view bytes) {
  events.push_back("write");
  if (writeFailure) return {false, *writeFailure};
  standardOutput += bytes;
  return {};
}

void FakePlatform::ShowMessageBox(std::u16string_view text, std::u16string_view caption) {
  events.push_back("message");
  messageBoxes.push_back({std::u16string(text), std::u16string(caption)});
}

bool FakePlatform::ClearClipboard() {
  events.push_back("clear");
  if (clipboardRefuses) return false;
  clipboard = u"";
  return true;
}

bool FakePlatform::SetClipboardText(std::u16string_view text) {
  events.push_back("set");
  if (clipboardRefuses) return false;
  clipboard = std::u16string(text);
  return true;
}

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
  if (text.size() == 38 && text.front() == u'{' && text.back() == u'}') {
    shape.braces = true;
    text = text.substr(1, 36);
  }
  if (text.size() != 36) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
    if (hyphenPlace) {
      if (text[i] != u'-') return std::nullopt;
      continue;
    }
    if (HexValue(text[i]) < 0) return std::nullopt;
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
