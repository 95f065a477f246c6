// The platform-independent half of the support operations, and the switch between the
// system's operations and a test's.
#include <string>

#include "support/system.h"

namespace {

Support* replacedSupport = nullptr;

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

// Appends `value` in decimal, at least `width` digits.
void AppendNumber(std::u16string& out, std::int32_t value, std::size_t width) {
  std::int64_t wide = value;  // widen so that the smallest value negates safely
  if (wide < 0) {
    out += u'-';
    wide = -wide;
  }
  char16_t digits[20];
  std::size_t n = 0;
  do {
    digits[n++] = static_cast<char16_t>(u'0' + (wide % 10));
    wide /= 10;
  } while (wide != 0);
  for (std::size_t i = n; i < width; ++i) out += u'0';
  while (n > 0) out += digits[--n];
}

}  // namespace

Support& CurrentSupport() {
  static SystemSupport system;
  return replacedSupport != nullptr ? *replacedSupport : system;
}

void ReplaceSupport(Support* support) { replacedSupport = support; }

SupportStatus SystemSupport::asTrimEx(std::u16string_view text, std::u16string& result) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  result.assign(text.substr(first, last - first));
  return kSupportOk;
}

SupportStatus SystemSupport::asDestroyDoubleSpaces(std::u16string_view text,
                                                   std::u16string& result) {
  result.clear();
  result.reserve(text.size());
  for (char16_t c : text) {
    if (c == u' ' && !result.empty() && result.back() == u' ') continue;
    result += c;
  }
  return kSupportOk;
}

SupportStatus SystemSupport::asCutLeft(std::u16string_view text, std::int32_t count,
                                       std::u16string& result) {
  if (count < 0) return kSupportBadArgument;
  std::size_t cut = static_cast<std::size_t>(count);
  result.assign(cut >= text.size() ? std::u16string_view() : text.substr(cut));
  return kSupportOk;
}

SupportStatus SystemSupport::asCutRight(std::u16string_view text, std::int32_t count,
                                        std::u16string& result) {
  if (count < 0) return kSupportBadArgument;
  std::size_t cut = static_cast<std::size_t>(count);
  result.assign(cut >= text.size() ? std::u16string_view() : text.substr(0, text.size() - cut));
  return kSupportOk;
}

SupportStatus SystemSupport::asFormatVersion(std::int32_t major, std::int32_t minor,
                                             std::int32_t revision, std::u16string& result) {
  result.clear();
  AppendNumber(result, major, 1);
  result += u'.';
  AppendNumber(result, minor, 2);
  result += u'.';
  AppendNumber(result, revision, 4);
  return kSupportOk;
}
