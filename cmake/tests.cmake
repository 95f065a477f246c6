# Unit tests (one GoogleTest binary) and the end-to-end tests that run the built program.
if(CMAKE_CROSSCOMPILING)
  # Debian ships GoogleTest's sources; build them with the cross compiler.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${PROJECT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  # MinGW's win32 thread model has no std::mutex, which GoogleTest's Notification wants. On
  # gtest itself, so that its users (the unit tests) get it and nothing else does.
  target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
  target_compile_options(gtest PUBLIC
                         -include "${PROJECT_SOURCE_DIR}/tests/win32/gtest_notification.h")
  set(tovrel_gtest GTest::gtest_main)
  if(NOT TARGET GTest::gtest_main)
    set(tovrel_gtest gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
  set(tovrel_gtest GTest::gtest_main)
endif()

add_executable(unit_tests
  src/run/run_test.cpp
  src/support/support_test.cpp
  src/platform/text_test.cpp
  fuzz/command_line_fuzz.cpp
)
if(NOT WIN32)
  target_sources(unit_tests PRIVATE src/platform/platform_posix_test.cpp)
endif()
target_link_libraries(unit_tests PRIVATE tovrel_core ${tovrel_gtest})

# The fuzz corpus goes into the test binary, so that Wine replays it without reading files.
file(GLOB tovrel_corpus CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/fuzz/corpus/*")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${tovrel_corpus})
set(tovrel_corpus_rows "")
foreach(seed IN LISTS tovrel_corpus)
  get_filename_component(seed_name "${seed}" NAME)
  file(READ "${seed}" seed_hex HEX)
  string(LENGTH "${seed_hex}" seed_digits)
  math(EXPR seed_size "${seed_digits} / 2")
  string(REGEX REPLACE "(..)" "\\\\x\\1" seed_bytes "${seed_hex}")
  string(APPEND tovrel_corpus_rows "{\"${seed_name}\", {\"${seed_bytes}\", ${seed_size}}},\n")
endforeach()
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/generated/fuzz_corpus.inc"
     CONTENT "${tovrel_corpus_rows}")
if(WIN32)
  # The resources too: the icon operations load "A_MAIN" from the running program.
  target_sources(unit_tests PRIVATE src/platform/platform_win32_test.cpp
                                    "${PROJECT_BINARY_DIR}/generated/tovrel.rc")
  target_link_options(unit_tests PRIVATE -static)  # runs under Wine without MinGW's DLLs
endif()

if(CMAKE_CROSSCOMPILING)
  include(cmake/wine_tests.cmake)
  include(cmake/package_tests.cmake)
else()
  include(GoogleTest)
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME e2e_native
    COMMAND Python3::Interpreter e2e.py
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}/tests")
  set_tests_properties(e2e_native PROPERTIES
    ENVIRONMENT "TOVREL_EXE=$<TARGET_FILE:tovrel>;TOVREL_WORK=${PROJECT_BINARY_DIR}/e2e"
    SKIP_RETURN_CODE 77 TIMEOUT 300)
  # Sanitized builds carry their own checker and cannot run under valgrind.
  if(NOT TOVREL_SANITIZE)
    add_test(NAME e2e_native_valgrind
      COMMAND Python3::Interpreter e2e.py
      WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}/tests")
    set_tests_properties(e2e_native_valgrind PROPERTIES
      ENVIRONMENT "TOVREL_EXE=$<TARGET_FILE:tovrel>;TOVREL_WORK=${PROJECT_BINARY_DIR}/e2e_valgrind;TOVREL_WRAP=valgrind --error-exitcode=1 --leak-check=full -q"
      SKIP_RETURN_CODE 77 TIMEOUT 900)
  endif()
  # The ceiling holds for the optimised program that users get.
  if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT TOVREL_SANITIZE)
    add_test(NAME startup_instructions COMMAND bash startup_instructions.sh
      WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}/tests")
    set_tests_properties(startup_instructions PROPERTIES
      ENVIRONMENT "TOVREL_EXE=$<TARGET_FILE:tovrel>" SKIP_RETURN_CODE 77)
  endif()
endif()

# Every test script learns the program's identity from here, as the program does from its
# generated header: a new version needs no test edited.
get_property(tovrel_tests DIRECTORY PROPERTY TESTS)
set_property(TEST ${tovrel_tests} APPEND PROPERTY ENVIRONMENT
  "TOVREL_TITLE=${TOVREL_TITLE}" "TOVREL_COPYRIGHT=${TOVREL_COPYRIGHT}"
  "TOVREL_VERSION=${PROJECT_VERSION}" "TOVREL_VERSION_TEXT=${TOVREL_VERSION_TEXT}")
