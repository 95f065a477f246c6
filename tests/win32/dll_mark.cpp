// A DLL planted under a system DLL's name beside Tovrel.exe: a process that loads it leaves
// "planted.mark" in its working folder, the proof of a search-order hijack.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  CloseHandle(CreateFileW(L"planted.mark", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  return TRUE;
}
