// The platform services on POSIX systems: argv, the locale's character set, descriptors
// 1 and 2, and desktop helper programs for the clipboard and the message box.
#include "support/platform_posix.h"

#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "support/system.h"
#include "support/utf8.h"

extern char** environ;  // NOLINT(readability-redundant-declaration): only glibc declares it

namespace {

int argCount = 0;
char** argValues = nullptr;
bool standardOutputOpen = true;
bool standardErrorOpen = true;
const char* charset = "UTF-8";
bool charsetIsUtf8 = true;
bool localeRead = false;

constexpr int kClipboardWaitMs = 1500;

std::u16string Widen(const char* ascii) {
  std::u16string out;
  for (; *ascii != '\0'; ++ascii) out += static_cast<char16_t>(static_cast<unsigned char>(*ascii));
  return out;
}

std::u16string PosixError(int error) { return Widen(std::strerror(error)); }

// The plain C locale reports ASCII; treat it as UTF-8, as everything around it does.
bool IsUtf8Charset(const char* name) {
  return std::strcmp(name, "UTF-8") == 0 || std::strcmp(name, "ANSI_X3.4-1968") == 0 ||
         std::strcmp(name, "ASCII") == 0 || std::strcmp(name, "US-ASCII") == 0;
}

struct IconvClose {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvClose>;

// How many bytes at the start of `rest` make the piece that failed to convert (at least one).
using BadLength = std::size_t (*)(std::string_view rest);

// `input` converted by iconv from the character set `from` to `to`; each piece of input that
// cannot be converted becomes `mark`, written as the bytes of `to`. Nothing when iconv knows
// no such conversion.
std::optional<std::string> ConvertWithIconv(const char* to, const char* from,
                                            std::string_view input, std::string_view mark,
                                            BadLength badLength) {
  const iconv_t opened = iconv_open(to, from);
  if (opened == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  const Converter cd(opened);
  std::string in(input);  // iconv takes a pointer to non-const input
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  std::string out(in.size() * 2 + 16, '\0');
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

// Text in the locale's character set; a character the set lacks becomes '?'.
std::string Encode(std::u16string_view text) {
  if (IsAscii(text)) return std::string(text.begin(), text.end());
  ReadLocale();
  return EncodeIn(charset, text);
}

// Bytes in the locale's character set as text; a malformed sequence becomes U+FFFD.
std::u16string Decode(std::string_view bytes) {
  if (IsAscii(bytes)) return std::u16string(bytes.begin(), bytes.end());
  ReadLocale();
  if (charsetIsUtf8) return DecodeUtf8(bytes);
  // Each byte that does not convert is one U+FFFD.
  const std::optional<std::string> utf16 = ConvertWithIconv(
      "UTF-16LE", charset, bytes, "\xFD\xFF", [](std::string_view) { return std::size_t{1}; });
  if (!utf16) return DecodeUtf8(bytes);
  std::u16string text;
  text.reserve(utf16->size() / 2);
  for (std::size_t i = 0; i + 1 < utf16->size(); i += 2) text += Utf16LeUnit(*utf16, i);
  return text;
}

bool HasValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

long ElapsedMs(const timespec& since) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (now.tv_sec - since.tv_sec) * 1000 + (now.tv_nsec - since.tv_nsec) / 1000000;
}

// Starts a helper program found on PATH with `input` on its standard input and /dev/null
// as its standard output and error, so that it never holds our standard output open.
// Returns its exit status, or -1 when it could not be started, failed to take the input
// or did not finish within `waitMs` (a negative `waitMs` waits as long as it takes).
int RunHelper(const std::vector<std::string>& args, std::string_view input, long waitMs) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  // One thread, so no other spawn can slip in before the flags are set (pipe2 is Linux's).
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  fcntl(fds[1], F_SETFD, FD_CLOEXEC);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[0]);
  if (spawned != 0) {
    close(fds[1]);
    return -1;
  }

  // A helper that exits without reading must not kill us with SIGPIPE.
  sigset_t pipeSignal;
  sigset_t previous;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  sigprocmask(SIG_BLOCK, &pipeSignal, &previous);
  const int writeError = WriteAll(fds[1], input);
  if (writeError == EPIPE) {
    const timespec zero{};
    sigtimedwait(&pipeSignal, nullptr, &zero);
  }
  sigprocmask(SIG_SETMASK, &previous, nullptr);
  close(fds[1]);

  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  int status = 0;
  while (true) {
    const pid_t done = waitpid(pid, &status, waitMs < 0 ? 0 : WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return -1;
    if (waitMs >= 0) {
      // Left running rather than killed: a slow helper may still deliver the text.
      if (ElapsedMs(start) >= waitMs) return -1;
      const timespec pause{0, 2L * 1000 * 1000};
      nanosleep(&pause, nullptr);
    }
  }
  if (writeError != 0 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::u16string WithoutCarriageReturns(std::u16string_view text) {
  std::u16string out;
  for (char16_t c : text) {
    if (c != u'\r') out += c;
  }
  return out;
}

class PosixPlatform final : public Platform {
 public:
  std::u16string ArgumentText() override {
    // The shell has split the command line already; join the words again.
    std::string joined;
    for (int i = 1; i < argCount; ++i) {
      if (i > 1) joined += ' ';
      joined += argValues[i];
    }
    return Decode(joined);
  }

  std::u16string ExecutableName() override {
    const char* path = argCount > 0 && argValues[0] != nullptr ? argValues[0] : "";
    const char* slash = std::strrchr(path, '/');
    const char* name = slash != nullptr ? slash + 1 : path;
    return name[0] != '\0' ? Decode(name) : std::u16string(u"tovrel");
  }

  bool HasStandardOutput() override { return standardOutputOpen; }

  WriteResult WriteStandardOutput(std::string_view bytes) override {
    const int error = WriteAll(STDOUT_FILENO, bytes);
    if (error != 0) return {false, PosixError(error)};
    return {};
  }

  void WriteStandardError(std::u16string_view text) override {
    if (standardErrorOpen) WriteAll(STDERR_FILENO, Encode(text));
  }

  void ShowMessageBox(std::u16string_view text, std::u16string_view caption) override {
    if (HasValue("DISPLAY") || HasValue("WAYLAND_DISPLAY")) {
      const std::string body = Encode(WithoutCarriageReturns(text));
      const std::string title = Encode(caption);
      if (RunHelper({"zenity", "--info", "--no-markup", "--title=" + title, "--text=" + body}, {},
                    -1) == 0 ||
          RunHelper({"kdialog", "--title", title, "--msgbox", body}, {}, -1) == 0) {
        return;
      }
    }
    WriteStandardError(text);
  }

  bool ClearClipboard() override {
    return true;  // every helper below replaces the whole clipboard
  }

  bool SetClipboardText(std::u16string_view text) override {
    const std::string utf8 = EncodeUtf8(text);
    std::vector<std::vector<std::string>> helpers;
    if (HasValue("WAYLAND_DISPLAY")) helpers.push_back({"wl-copy"});
    if (HasValue("DISPLAY")) {
      helpers.push_back({"xclip", "-selection", "clipboard"});
      helpers.push_back({"xsel", "--clipboard", "--input"});
    }
    helpers.push_back({"pbcopy"});  // macOS; elsewhere it is simply not found
    return std::any_of(helpers.begin(), helpers.end(), [&utf8](const auto& helper) {
      return RunHelper(helper, utf8, kClipboardWaitMs) == 0;
    });
  }

  std::string NarrowToAnsi(std::u16string_view text) override { return Encode(text); }

  void InitCommonControls() override {}
};

bool IsOpen(int fd) { return fcntl(fd, F_GETFD) != -1 || errno != EBADF; }

}  // namespace

void StartPosixPlatform(int argc, char** argv) {
  argCount = argc;
  argValues = argv;
  for (int fd = 0; fd <= 2; ++fd) {
    if (IsOpen(fd)) continue;
    if (fd == STDOUT_FILENO) standardOutputOpen = false;
    if (fd == STDERR_FILENO) standardErrorOpen = false;
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0 && null != fd) {
      dup2(null, fd);
      close(null);
    }
  }
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
      ConvertWithIconv(charsetName, "UTF-16LE", utf16, "?", BadUtf16LeLength);
  if (out) return *std::move(out);
  std::string ascii;
  for (char16_t c : text) ascii += c < 0x80 ? static_cast<char>(c) : '?';
  return ascii;
}

int WriteAll(int fd, std::string_view bytes, WriteCall call) {
  while (!bytes.empty()) {
    const ssize_t n = call(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;  // no progress and no reason: do not spin
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

Platform& SystemPlatform() {
  static PosixPlatform platform;
  return platform;
}
