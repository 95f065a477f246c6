// Text in the locale's character set, through iconv; the locale is read only when needed.
#include "platform/locale_text_posix.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

#include "platform/utf8.h"

namespace {

const char* charset = "UTF-8";
bool charsetIsUtf8 = true;
bool localeRead = false;

bool IsAsciiCharset(const char* name) {
  return std::strcmp(name, "ANSI_X3.4-1968") == 0 || std::strcmp(name, "ASCII") == 0 ||
         std::strcmp(name, "US-ASCII") == 0;
}

// The plain C locale reports ASCII; treat it as UTF-8, as everything around it does.
bool IsUtf8Charset(const char* name) {
  return std::strcmp(name, "UTF-8") == 0 || IsAsciiCharset(name);
}

struct IconvClose {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvClose>;

// How many bytes at the start of `rest` make the piece that failed to convert (at least one).
using BadLength = std::size_t (*)(std::string_view rest);

// `in` converted by iconv from the character set `from` to `to`; each piece of input that
// cannot be converted becomes `mark`, written as the bytes of `to`. Nothing when iconv knows
// no such conversion.
std::optional<std::string> ConvertWithIconv(const char* to, const char* from, std::string in,
                                            std::string_view mark, BadLength badLength) {
  const iconv_t opened = iconv_open(to, from);
  if (opened == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  const Converter cd(opened);
  // `in` is a copy of its own: iconv takes a pointer to non-const input.
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  std::string out((in.size() * 2) + 16, '\0');
  std::size_t used = 0;
  // Converts what is left into the end of `out`, growing it as needed, and returns 0 or the
  // errno of the failure. Null input writes what returns a stateful set (UTF-7, ISO-2022) to
  // its initial state.
  const auto convert = [&](char** source, std::size_t* sourceLeft) {
    while (true) {
      char* outPtr = out.data() + used;
      std::size_t outLeft = out.size() - used;
      const std::size_t rc = iconv(cd.get(), source, sourceLeft, &outPtr, &outLeft);
      used = out.size() - outLeft;
      if (rc != static_cast<std::size_t>(-1)) return 0;
      if (errno != E2BIG) return errno;
      out.resize(out.size() * 2);
    }
  };
  while (inLeft > 0 && convert(&inPtr, &inLeft) != 0) {  // EILSEQ, or EINVAL at the end
    const std::size_t skip = std::clamp<std::size_t>(badLength({inPtr, inLeft}), 1, inLeft);
    inPtr += skip;
    inLeft -= skip;
    convert(nullptr, nullptr);  // the mark is plain bytes, so no shift may be open around it
    out.resize(used);
    out += mark;
    used = out.size();
  }
  convert(nullptr, nullptr);  // a stateful set's closing shift, such as UTF-7's '-'
  out.resize(used);
  return out;
}

char16_t Utf16LeUnit(std::string_view bytes, std::size_t at) {
  return static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                               (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// A character the target set lacks is one unit, or two when they are a whole surrogate pair.
std::size_t BadUtf16LeLength(std::string_view rest) {
  const auto isHigh = [](char16_t c) { return c >= 0xD800 && c <= 0xDBFF; };
  const auto isLow = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
  return rest.size() >= 4 && isHigh(Utf16LeUnit(rest, 0)) && isLow(Utf16LeUnit(rest, 2)) ? 4 : 2;
}

// Reading the locale costs more than the rest of a run, and ASCII is the same in every
// character set, so it waits until a character beyond ASCII comes along.
void ReadLocale() {
  if (localeRead) return;
  localeRead = true;
  setlocale(LC_CTYPE, "");
  charset = nl_langinfo(CODESET);
  charsetIsUtf8 = IsUtf8Charset(charset);
}

bool IsAscii(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string Encode(std::u16string_view text) {
  if (IsAscii(text)) return std::string(text.begin(), text.end());
  ReadLocale();
  return EncodeIn(charset, text);
}

std::u16string Decode(std::string_view bytes) {
  if (IsAscii(bytes)) return std::u16string(bytes.begin(), bytes.end());
  ReadLocale();
  if (charsetIsUtf8) return DecodeUtf8(bytes);
  // Each byte that does not convert is one U+FFFD.
  const std::optional<std::string> utf16 =
      ConvertWithIconv("UTF-16LE", charset, std::string(bytes), "\xFD\xFF",
                       [](std::string_view) { return std::size_t{1}; });
  if (!utf16) return DecodeUtf8(bytes);
  std::u16string text;
  text.reserve(utf16->size() / 2);
  for (std::size_t i = 0; i + 1 < utf16->size(); i += 2) text += Utf16LeUnit(*utf16, i);
  return text;
}

bool LocaleIsAscii() {
  ReadLocale();
  return IsAsciiCharset(charset);
}

std::string EncodeIn(const char* charsetName, std::u16string_view text) {
  if (IsUtf8Charset(charsetName)) return EncodeUtf8(text);
  std::string utf16;
  utf16.reserve(text.size() * 2);
  for (char16_t c : text) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  std::optional<std::string> out =
      ConvertWithIconv(charsetName, "UTF-16LE", std::move(utf16), "?", BadUtf16LeLength);
  if (out) return *std::move(out);
  std::string ascii;
  for (char16_t c : text) ascii += c < 0x80 ? static_cast<char>(c) : '?';
  return ascii;
}
