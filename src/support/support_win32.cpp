// The support operations that need the operating system, for Windows.
#include <objbase.h>

#include "app_version.h"

#include "platform/win32.h"
#include "support/system.h"

namespace {

constexpr wchar_t kWindowClass[] = L"TovrelMainWindow";

}  // namespace

HWND ProgramWindow() {
  static HWND window = [] {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExW(&windowClass) == 0) return HWND{};
    // Never shown: it owns the clipboard data and carries the program's icons.
    HWND created = CreateWindowExW(0, kWindowClass, L"" TOVREL_TITLE, WS_OVERLAPPED, 0, 0, 0, 0,
                                   nullptr, nullptr, instance, nullptr);
    if (created == nullptr) {
      // Without a desktop (Wine with no display) only a message-only window can be had;
      // it serves the clipboard and the icons as well.
      created = CreateWindowExW(0, kWindowClass, L"" TOVREL_TITLE, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, instance, nullptr);
    }
    return created;
  }();
  return window;
}

std::u16string ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  while (path.size() <= 32768) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return FromWide(path.data(), length);
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
  return {};
}

SupportStatus SystemSupport::asRegisterAppPath(std::u16string& appPath) {
  // Records nothing: the path is only looked up.
  appPath = ModulePath();
  return appPath.empty() ? kSupportSystemFailure : kSupportOk;
}

SupportStatus SystemSupport::asIsInIDE(bool& inIde) {
  inIde = false;  // the built program never runs under its development environment
  return kSupportOk;
}

SupportStatus SystemSupport::asGetThunderMainHandle(WindowHandle& window) {
  HWND hwnd = ProgramWindow();
  if (hwnd == nullptr) return kSupportSystemFailure;
  window = reinterpret_cast<WindowHandle>(hwnd);
  return kSupportOk;
}

SupportStatus SystemSupport::asSetWindowResIconAll(WindowHandle window,
                                                   std::u16string_view resourceName) {
  HWND hwnd = reinterpret_cast<HWND>(window);
  DWORD owner = 0;
  // Another process's window (a console's, say) is never ours to change.
  if (hwnd == nullptr || GetWindowThreadProcessId(hwnd, &owner) == 0 ||
      owner != GetCurrentProcessId()) {
    return kSupportBadArgument;
  }
  const std::u16string name(resourceName);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HANDLE big = LoadImageW(instance, AsWide(name), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                          GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR);
  HANDLE small = LoadImageW(instance, AsWide(name), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                            GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR);
  if (big == nullptr || small == nullptr) return kSupportSystemFailure;
  SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  return kSupportOk;
}

SupportStatus SystemSupport::asTovrel(std::u16string& guidText) {
  GUID guid;
  if (FAILED(CoCreateGuid(&guid))) return kSupportSystemFailure;
  wchar_t text[39];  // "{" 36 "}" and the terminator
  if (StringFromGUID2(guid, text, 39) != 39) return kSupportSystemFailure;
  guidText = FromWide(text, 38);
  return kSupportOk;
}

SupportStatus SystemSupport::asAnsiToOem(std::u16string_view text, std::u16string& result) {
  result = AnsiToOemText(text, GetOEMCP(), GetACP());
  return kSupportOk;
}
