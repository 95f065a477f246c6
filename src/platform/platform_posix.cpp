// The platform services on POSIX systems: argv, descriptors 1 and 2, and start-up; the
// locale's text and the desktop's helpers have files of their own.
#include "platform/platform_posix.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "platform/desktop_helpers_posix.h"
#include "platform/locale_text_posix.h"
#include "platform/platform.h"
#include "platform/write_all_posix.h"

namespace {

int argCount = 0;
char** argValues = nullptr;
bool standardOutputOpen = true;
bool standardErrorOpen = true;

std::u16string Widen(const char* ascii) {
  std::u16string out;
  for (; *ascii != '\0'; ++ascii) out += static_cast<char16_t>(static_cast<unsigned char>(*ascii));
  return out;
}

std::u16string PosixError(int error) { return Widen(std::strerror(error)); }

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

  bool WriteStandardError(std::u16string_view text) override {
    return standardErrorOpen && WriteAll(STDERR_FILENO, Encode(text)) == 0;
  }

  bool ShowMessageBox(std::u16string_view text, std::u16string_view caption) override {
    return ShowInDialogHelper(text, caption);
  }

  bool ClearClipboard() override {
    return true;  // every clipboard helper replaces the whole clipboard
  }

  bool SetClipboardText(std::u16string_view text) override { return CopyWithClipboardHelper(text); }

  // LF alone, as every POSIX tool reads a line: a CR would stay on a GUID in `$(...)`.
  std::u16string WithSystemLineEnds(std::u16string_view text) override {
    std::u16string lines;
    lines.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t cr = text.find(u"\r\n"); cr != std::u16string_view::npos;
         cr = text.find(u"\r\n", start)) {
      lines.append(text.substr(start, cr - start));  // whole lines: this runs at every start
      start = cr + 1;
    }
    return lines.append(text.substr(start));
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

Platform& SystemPlatform() {
  static PosixPlatform platform;
  return platform;
}
