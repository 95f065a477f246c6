// Helpers shared by the Windows realisations; only platform/ and support/ include this.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The program's hidden top-level window, created on first use; null when it cannot be.
HWND ProgramWindow();

// The running program's full path; empty when the system does not say.
std::u16string ModulePath();

// The system's text for an error code, without the final line break.
std::u16string WindowsError(DWORD code);

// UTF-16 in both worlds: wchar_t is 16 bits wide on Windows.
inline const wchar_t* AsWide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// Writes all of `bytes` to `file` through `call`, going on after short writes. Returns 0, or
// the error code of the write that failed.
using WriteCall = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
DWORD WriteAll(HANDLE file, std::string_view bytes, WriteCall call = WriteFile);

// `text` in `codePage` (a real number, not CP_ACP) through `call`; a character the page lacks
// becomes '?', never a look-alike where the page allows that choice.
using NarrowCall = int(WINAPI*)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL);
std::string NarrowTo(UINT codePage, std::u16string_view text,
                     NarrowCall call = WideCharToMultiByte);

// The text that narrows through `ansiPage` to the bytes of `text` in `oemPage`.
std::u16string AnsiToOemText(std::u16string_view text, UINT oemPage, UINT ansiPage);
