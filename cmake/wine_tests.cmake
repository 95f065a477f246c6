# Tests of the Windows programs: inspection, and under Wine (the 32-bit one through the
# 32-bit loader) the unit tests and the end-to-end table.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
  set(tovrel_machine i386)
  set(tovrel_wine /usr/lib/wine/wine)
else()
  set(tovrel_machine x86-64)
  set(tovrel_wine /usr/lib/wine/wine64)
endif()
add_test(NAME executable_inspection
  COMMAND Python3::Interpreter tests/delivery_test.py Executable
  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}")
set_tests_properties(executable_inspection PROPERTIES
  ENVIRONMENT "TOVREL_EXE=$<TARGET_FILE:tovrel>;TOVREL_MACHINE=${tovrel_machine};TOVREL_WORK=${PROJECT_BINARY_DIR}/e2e"
  SKIP_RETURN_CODE 77)

add_executable(launcher tests/win32/launcher.cpp)
target_link_options(launcher PRIVATE -municode -static)
target_compile_definitions(launcher PRIVATE UNICODE _UNICODE)

# Every test that runs Wine takes this prefix, and its one wineserver, for itself: e2e_wine
# restarts the server, which would end another test's programs under -j. The presets' builds
# copy it from one made once for both (tests/wine.sh).
set(tovrel_wineprefix "${PROJECT_BINARY_DIR}/wineprefix")
set(TOVREL_WINE_TEMPLATE "" CACHE PATH "A Wine prefix made once and copied for each build")
set(tovrel_wine_env
  "WINEPREFIX=${tovrel_wineprefix}"
  "TOVREL_WINE_TEMPLATE=${TOVREL_WINE_TEMPLATE}"
  "TOVREL_WINE=${tovrel_wine}"
  "TOVREL_EXE=$<TARGET_FILE:tovrel>"
  "TOVREL_LAUNCHER=$<TARGET_FILE:launcher>"
  "TOVREL_WORK=${PROJECT_BINARY_DIR}/e2e")
add_test(NAME wine_prefix COMMAND sh tests/wine.sh prepare
  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}")
add_test(NAME unit_tests_wine COMMAND sh tests/wine.sh $<TARGET_FILE:unit_tests>
  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}")
add_test(NAME e2e_wine COMMAND Python3::Interpreter e2e.py
  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}/tests")
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(unit_tests_wine e2e_wine PROPERTIES FIXTURES_REQUIRED wine)
set_tests_properties(wine_prefix unit_tests_wine e2e_wine PROPERTIES
  ENVIRONMENT "${tovrel_wine_env}" RESOURCE_LOCK "${tovrel_wineprefix}"
  SKIP_RETURN_CODE 77 TIMEOUT 900)
