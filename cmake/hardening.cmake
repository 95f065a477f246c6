# Compiler and linker hardening for the program and everything built from its code, by each
# platform's conventions. Linux: what `DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags`
# gives, with what newer releases add (stack clash, control flow); PIE is the compiler's
# default, natively and in each of Debian 11's cross compilers. Windows: a stack protector from
# MinGW's libssp, linked statically with the rest.
add_library(tovrel_hardening INTERFACE)
target_link_libraries(tovrel_core PUBLIC tovrel_hardening)

# Fortified calls need the optimiser's object sizes, and would hide overflows from the
# sanitizers' own checks.
if(NOT TOVREL_SANITIZE)
  target_compile_definitions(tovrel_hardening INTERFACE
    $<$<OR:$<CONFIG:Release>,$<CONFIG:MinSizeRel>,$<CONFIG:RelWithDebInfo>>:_FORTIFY_SOURCE=2>)
endif()
# On the link line too, where MinGW's GCC then links libssp: the guard and the checked calls.
target_compile_options(tovrel_hardening INTERFACE -fstack-protector-strong -Wformat
                                                  -Werror=format-security)
target_link_options(tovrel_hardening INTERFACE -fstack-protector-strong)

if(WIN32)
  # ASLR and DEP (binutils' defaults, stated). binutils 2.40 cannot mark an image
  # CET-compatible, so -fcf-protection would only add bytes here.
  target_link_options(tovrel_hardening INTERFACE -Wl,--dynamicbase -Wl,--nxcompat
                      $<$<EQUAL:${CMAKE_SIZEOF_VOID_P},8>:-Wl,--high-entropy-va>)
else()
  # Control flow: x86's CET marks (x86-64 and i686); arm64's signed return addresses (PAC)
  # and marked branch targets (BTI), hint instructions that older processors pass over. GCC 10
  # has neither for the other architectures.
  set(tovrel_control_flow)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|i686)$")
    set(tovrel_control_flow -fcf-protection)
  elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
    set(tovrel_control_flow -mbranch-protection=standard)
  endif()
  target_compile_options(tovrel_hardening INTERFACE -fstack-clash-protection
                                                    ${tovrel_control_flow})
  # Full RELRO: the relocated data becomes read-only before the program's first instruction.
  target_link_options(tovrel_hardening INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()
