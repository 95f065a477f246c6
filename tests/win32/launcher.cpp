// Test launcher: starts a program with an exact command-line text, as a Windows parent would.
//
//   launcher [--null-std | --null-stdout] [--hold-clipboard | --release-clipboard]
//            PROGRAM COMMAND-LINE-FILE
//
// The command line is read from a UTF-8 file, so that tabs, line breaks and quotation marks
// reach CreateProcessW unchanged. --null-std starts the program with no standard handles at
// all, --null-stdout with no standard output; --hold-clipboard keeps the clipboard open until
// the program has ended, --release-clipboard until a moment after the program's window has
// appeared. The exit status is the program's, or 100 and up when the launcher itself failed.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

static int Fail(const char* what) {
  std::fprintf(stderr, "launcher: %s failed (error %lu)\n", what, GetLastError());
  return 100;
}

int wmain(int argc, wchar_t** argv) {
  std::wstring_view nulls;      // the option that takes handles away, if any
  std::wstring_view clipboard;  // the option that holds it, if any
  int i = 1;
  for (; i < argc && argv[i][0] == L'-'; ++i) {
    const std::wstring_view option = argv[i];
    if (option.starts_with(L"--null-std")) {
      nulls = option;
    } else if (option == L"--hold-clipboard" || option == L"--release-clipboard") {
      clipboard = option;
    } else {
      break;  // unknown option
    }
  }
  const bool nullStd = nulls == L"--null-std";
  if (argc - i != 2 || argv[i][0] == L'-') {
    std::fprintf(stderr, "usage: launcher [OPTION...] PROGRAM FILE\n");
    return 101;
  }
  std::ifstream file(std::filesystem::path(argv[i + 1]), std::ios::binary);
  if (!file) return Fail("reading the command line");
  const std::string utf8{std::istreambuf_iterator<char>(file), {}};
  std::wstring commandLine(utf8.size(), L'\0');  // never more UTF-16 units than UTF-8 bytes
  const int size = static_cast<int>(utf8.size());
  commandLine.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, commandLine.data(), size));
  // Ends with the launcher, after the program, unless released earlier.
  if (!clipboard.empty() && !OpenClipboard(nullptr)) return Fail("OpenClipboard");

  // No standard handles at all, or explicitly the launcher's own: left to inheritance, Wine
  // once gave a program no standard error.
  STARTUPINFOW startup{.cb = sizeof(STARTUPINFOW), .dwFlags = STARTF_USESTDHANDLES};
  if (!nullStd) {
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = nulls.empty() ? GetStdHandle(STD_OUTPUT_HANDLE) : nullptr;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(argv[i], commandLine.data(), nullptr, nullptr, !nullStd, 0, nullptr, nullptr,
                      &startup, &process)) {
    return Fail("CreateProcessW");
  }
  if (clipboard == L"--release-clipboard") {
    // The program makes its window a few milliseconds before it first tries the clipboard;
    // let go well within the fraction of a second it keeps trying.
    while (FindWindowW(L"TovrelMainWindow", nullptr) == nullptr &&
           WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    }
    Sleep(50);
    CloseClipboard();
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  return static_cast<int>(status);
}
