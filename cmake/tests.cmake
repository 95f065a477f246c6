# Unit tests (one GoogleTest binary) and the end-to-end tests that run the built program.
if(CMAKE_CROSSCOMPILING)
  # Debian ships GoogleTest's sources; build them with the cross compiler.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${PROJECT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  set(tovrel_gtest GTest::gtest_main)
  if(NOT TARGET GTest::gtest_main)
    set(tovrel_gtest gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
  set(tovrel_gtest GTest::gtest_main)
endif()

add_executable(unit_tests
  src/run/ascii_case_test.cpp
  src/run/command_line_test.cpp
  src/run/run_test.cpp
  src/run/usage_test.cpp
  src/guid/guid_text_test.cpp
  src/output/output_test.cpp
  src/support/fakes.cpp
  src/support/support_test.cpp
  src/support/utf8_test.cpp
)
if(NOT WIN32)
  target_sources(unit_tests PRIVATE src/support/platform_posix_test.cpp)
endif()
target_link_libraries(unit_tests PRIVATE tovrel_core ${tovrel_gtest})

if(CMAKE_CROSSCOMPILING)
  include(cmake/wine_tests.cmake OPTIONAL)
else()
  include(GoogleTest)
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME e2e_native
    COMMAND Python3::Interpreter -m unittest -v e2e_native
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}/tests")
  set_tests_properties(e2e_native PROPERTIES
    ENVIRONMENT "TOVREL_EXE=$<TARGET_FILE:tovrel>;TOVREL_WORK=${PROJECT_BINARY_DIR}/e2e"
    TIMEOUT 300)
endif()
