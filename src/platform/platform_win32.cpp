// The platform services on Windows: the command line, the standard handles, the message box,
// the clipboard and the code pages.
#include "platform/win32.h"  // windows.h before any other system header

#include <commctrl.h>

#include "platform/command_line_text.h"
#include "platform/platform.h"

namespace {

constexpr int kClipboardTries = 10;
constexpr DWORD kClipboardPauseMs = 20;

bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

// Another program may hold the clipboard for a moment; try a few times, then give up.
bool OpenClipboardWithRetry(HWND owner) {
  for (int attempt = 0; attempt < kClipboardTries; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(kClipboardPauseMs);
  }
  return false;
}

// Moveable global memory, freed unless the clipboard took it.
class GlobalText {
 public:
  explicit GlobalText(std::u16string_view text)
      : memory_(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t))) {
    if (memory_ == nullptr) return;
    auto* target = static_cast<char16_t*>(GlobalLock(memory_));
    if (target == nullptr) {
      GlobalFree(memory_);
      memory_ = nullptr;
      return;
    }
    text.copy(target, text.size());
    target[text.size()] = u'\0';
    GlobalUnlock(memory_);
  }
  ~GlobalText() {
    if (memory_ != nullptr) GlobalFree(memory_);
  }
  GlobalText(const GlobalText&) = delete;
  GlobalText& operator=(const GlobalText&) = delete;
  GlobalText(GlobalText&&) = delete;
  GlobalText& operator=(GlobalText&&) = delete;

  HGLOBAL get() const { return memory_; }
  void release() { memory_ = nullptr; }  // the system owns it now

 private:
  HGLOBAL memory_;
};

class Win32Platform final : public Platform {
 public:
  std::u16string ArgumentText() override {
    const wchar_t* line = GetCommandLineW();
    const std::u16string all = line != nullptr ? FromWide(line, wcslen(line)) : u"";
    return std::u16string(ArgumentsAfterProgramName(all));
  }

  std::u16string ExecutableName() override {
    const std::u16string path = ModulePath();
    if (path.empty()) return u"Tovrel.exe";
    const std::size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
  }

  bool HasStandardOutput() override { return IsValid(GetStdHandle(STD_OUTPUT_HANDLE)); }

  WriteResult WriteStandardOutput(std::string_view bytes) override {
    const DWORD error = WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), bytes);
    if (error != 0) return {false, WindowsError(error)};
    return {};
  }

  bool WriteStandardError(std::u16string_view text) override {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (!IsValid(error)) return false;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(error, &mode)) {
      const std::u16string copy(text);
      return WriteConsoleW(error, AsWide(copy), static_cast<DWORD>(copy.size()), &written,
                           nullptr) != 0 &&
             written == copy.size();
    }
    return WriteAll(error, NarrowTo(GetOEMCP(), text)) == 0;
  }

  bool ShowMessageBox(std::u16string_view text, std::u16string_view caption) override {
    const std::u16string body(text);
    const std::u16string title(caption);
    // 0 is Windows' failure; Wine answers -1 when it has no display to show the box on.
    return MessageBoxW(nullptr, AsWide(body), AsWide(title), MB_OK | MB_ICONINFORMATION) > 0;
  }

  bool ClearClipboard() override {
    // With a null owner EmptyClipboard leaves the clipboard ownerless and setting fails, so
    // the program's own hidden window owns it.
    HWND owner = ProgramWindow();
    if (owner == nullptr || !OpenClipboardWithRetry(owner)) return false;
    clipboardOpen_ = true;
    return EmptyClipboard() != 0;
  }

  bool SetClipboardText(std::u16string_view text) override {
    if (!clipboardOpen_) {
      HWND owner = ProgramWindow();
      if (owner == nullptr || !OpenClipboardWithRetry(owner)) return false;
    }
    clipboardOpen_ = false;
    GlobalText memory(text);
    bool done = false;
    if (memory.get() != nullptr && SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr) {
      memory.release();
      done = true;
    }
    CloseClipboard();
    return done;
  }

  std::u16string WithSystemLineEnds(std::u16string_view text) override {
    return std::u16string(text);
  }

  std::string NarrowToAnsi(std::u16string_view text) override { return NarrowTo(GetACP(), text); }

  void InitCommonControls() override { ::InitCommonControls(); }

 private:
  bool clipboardOpen_ = false;  // left open by ClearClipboard for SetClipboardText
};

}  // namespace

DWORD WriteAll(HANDLE file, std::string_view bytes, WriteCall call) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!call(file, bytes.data(), chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);  // a short write: the rest goes in the next round
  }
  return 0;
}

std::u16string WindowsError(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text;
  if (length != 0 && buffer != nullptr) text = FromWide(buffer, length);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' ')) {
    text.pop_back();
  }
  if (text.empty()) {
    text = u"error ";
    std::u16string digits;
    do {
      digits.insert(digits.begin(), static_cast<char16_t>(u'0' + (code % 10)));
      code /= 10;
    } while (code != 0);
    text += digits;
  }
  return text;
}

Platform& SystemPlatform() {
  static Win32Platform platform;
  return platform;
}
