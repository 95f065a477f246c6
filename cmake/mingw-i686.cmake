# Cross-compiling the 32-bit Windows program with Debian's MinGW-w64 (win32 threads: no
# winpthread DLL to carry).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOVREL_MINGW_PREFIX i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
