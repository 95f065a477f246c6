# Tests of what users run and receive. Windows: a DLL planted beside Tovrel.exe must not be
# loaded once the program runs (under Wine, each program under its own loader).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_library(dll_mark SHARED tests/win32/dll_mark.cpp)
target_link_options(dll_mark PRIVATE -static)  # nothing of MinGW's to load beside it
add_test(NAME dll_search
  COMMAND Python3::Interpreter tests/delivery_test.py DllSearch
  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}")
set_tests_properties(dll_search PROPERTIES
  ENVIRONMENT "${tovrel_wine_env};TOVREL_MARK_DLL=$<TARGET_FILE:dll_mark>"
  FIXTURES_REQUIRED wine RESOURCE_LOCK "${tovrel_wineprefix}" SKIP_RETURN_CODE 77 TIMEOUT 300)
