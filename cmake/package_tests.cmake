# Tests of what users run and receive. Windows: a DLL planted beside Tovrel.exe must not be
# loaded once the program runs (under Wine, for the 64-bit build).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_library(dll_mark SHARED tests/win32/dll_mark.cpp)
target_link_options(dll_mark PRIVATE -static)  # nothing of MinGW's to load beside it
# The 32-bit program can take the same test with TOVREL_WINE set to the 32-bit loader.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "AMD64")
  add_test(NAME dll_search
    COMMAND Python3::Interpreter dll_search.py
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}/tests")
  set_tests_properties(dll_search PROPERTIES
    ENVIRONMENT "WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix;TOVREL_EXE=$<TARGET_FILE:tovrel>;\
TOVREL_MARK_DLL=$<TARGET_FILE:dll_mark>;TOVREL_WORK=${PROJECT_BINARY_DIR}/e2e"
    FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()
