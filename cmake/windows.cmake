# The Windows program: Win32 realisation, resources, and a link that needs no DLL of ours.
enable_language(RC)

target_sources(tovrel_core PRIVATE
  src/support/support_win32.cpp
  src/platform/code_pages_win32.cpp
  src/platform/platform_win32.cpp
)
target_compile_definitions(tovrel_core PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                              _WIN32_WINNT=0x0601)
target_link_libraries(tovrel_core PUBLIC ole32 user32 comctl32)

# The version record reads the same values as the banner; its description ends at the minor.
string(REGEX REPLACE "\\.[0-9]+$" "" short_version "${TOVREL_VERSION_TEXT}")
set(TOVREL_DESCRIPTION "${TOVREL_TITLE} ${short_version}")
configure_file(resources/tovrel.rc.in "${PROJECT_BINARY_DIR}/generated/tovrel.rc" @ONLY)

add_executable(tovrel
  src/main/entry_win32.cpp
  src/main/runtime_win32.cpp
  "${PROJECT_BINARY_DIR}/generated/tovrel.rc"
)
set_target_properties(tovrel PROPERTIES OUTPUT_NAME Tovrel)
set_property(SOURCE "${PROJECT_BINARY_DIR}/generated/tovrel.rc" APPEND PROPERTY
             OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/resources/a_main.ico"
                            "${PROJECT_SOURCE_DIR}/resources/icon1.ico"
                            "${PROJECT_SOURCE_DIR}/resources/tovrel.manifest")
target_link_libraries(tovrel PRIVATE tovrel_core)
# One file to copy: the C++ and GCC runtimes go inside the executable.
target_link_options(tovrel PRIVATE -municode -static -static-libgcc -static-libstdc++ -s
                                   -Wl,--gc-sections -Wl,--no-insert-timestamp)
target_compile_options(tovrel_core PRIVATE -ffunction-sections -fdata-sections)
