# Cross-compiling the Linux program with Debian's GCC for another architecture (the release
# builds each on Debian 11, beside the x86-64 one), named by the compiler's GNU triplet:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/linux-cross.cmake -DTOVREL_TRIPLET=s390x-linux-gnu ...
# Each triplet's machine as uname names it (the tarball's name) and Debian's architecture.
set(tovrel_cross_arches
    aarch64-linux-gnu aarch64 arm64
    arm-linux-gnueabihf armv7l armhf
    i686-linux-gnu i686 i386
    powerpc64le-linux-gnu ppc64le ppc64el
    riscv64-linux-gnu riscv64 riscv64
    s390x-linux-gnu s390x s390x)
list(FIND tovrel_cross_arches "${TOVREL_TRIPLET}" at)
math(EXPR column "${at} % 3")
if(at EQUAL -1 OR NOT column EQUAL 0)
  message(FATAL_ERROR "TOVREL_TRIPLET: one of the triplets in ${CMAKE_CURRENT_LIST_FILE}")
endif()
math(EXPR at "${at} + 1")
list(GET tovrel_cross_arches ${at} CMAKE_SYSTEM_PROCESSOR)
math(EXPR at "${at} + 1")
list(GET tovrel_cross_arches ${at} TOVREL_DEBIAN_ARCH)
# The checks CMake compiles read this file again: they need the triplet too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TOVREL_TRIPLET)

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${TOVREL_TRIPLET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${TOVREL_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
