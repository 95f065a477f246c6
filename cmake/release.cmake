# What users receive: install rules, the manual page, the packages CPack makes (the .deb and
# the tarball) and the Windows ZIP's text files (scripts/release zips them with both programs).
# Names carry PROJECT_VERSION (2.0.16); the banner shows the same version as 2.00.0016.
if(WIN32)
  return()
endif()
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The page's date: SOURCE_DATE_EPOCH's day when it is set (scripts/release sets it).
string(TIMESTAMP TOVREL_MAN_DATE "%Y-%m-%d" UTC)
string(REPLACE "-" "\\-" TOVREL_MAN_TITLE "${TOVREL_TITLE}")  # a minus sign, as in the banner
configure_file(docs/tovrel.1.in "${PROJECT_BINARY_DIR}/tovrel.1" @ONLY)
install(TARGETS tovrel RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${PROJECT_BINARY_DIR}/tovrel.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES README.md LICENSE CHANGELOG.md DESTINATION "${CMAKE_INSTALL_DOCDIR}")
# Each shell's completion where that shell looks by itself: bash-completion's, zsh's for
# software installed apart from the system (the .deb moves it to Debian's vendor folder), fish's.
install(FILES resources/completion.bash RENAME tovrel
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions")
install(FILES resources/completion.zsh RENAME _tovrel
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/zsh/site-functions")
install(FILES resources/completion.fish RENAME tovrel.fish
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/fish/vendor_completions.d")

# The Windows ZIP's text files, with CR LF; scripts/release adds x86/ and x64/Tovrel.exe.
set(TOVREL_WINDOWS_STAGE "${PROJECT_BINARY_DIR}/windows-zip")
configure_file(docs/README-windows.txt.in "${TOVREL_WINDOWS_STAGE}/README.txt" @ONLY
               NEWLINE_STYLE CRLF)
configure_file(LICENSE "${TOVREL_WINDOWS_STAGE}/LICENSE.txt" @ONLY NEWLINE_STYLE CRLF)
configure_file(CHANGELOG.md "${TOVREL_WINDOWS_STAGE}/CHANGELOG.txt" @ONLY NEWLINE_STYLE CRLF)

set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_NAME tovrel)
set(CPACK_PACKAGE_VENDOR Quorbix)
set(CPACK_PACKAGE_CONTACT "Quorbix <tovrel@quorbix.example>")
set(CPACK_PACKAGE_FILE_NAME "tovrel-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TOVREL_DEBIAN_ARCH)  # cmake/linux-cross.cmake's; CPack would take this machine's
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${TOVREL_DEBIAN_ARCH})
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print new GUIDs")
# Also as the generic description: without it CPack reads the template of the CMake that
# configured the build, which the release's (Debian 11's) leaves on the other side.
set(CPACK_PACKAGE_DESCRIPTION
    "tovrel prints one to nine newly generated random (version 4) GUIDs,
one per line with LF line ends: in upper or lower case, with or
without braces, as text in the locale's character set or as UTF-16LE.
On request it also puts them on the clipboard. It is the Linux build of
the Windows console program Tovrel.exe and takes the same /switches.")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/cpack_generator.cmake")
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/cpack_stage.cmake")
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/cpack_repack.cmake")
# cpack_stage.cmake reads LICENSE, the years and holder for Debian's copyright file, and the
# strip tool for the program.
set(CPACK_TOVREL_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
set(CPACK_TOVREL_STRIP "${CMAKE_STRIP}")
string(REPLACE "Copyright (C) " "" CPACK_TOVREL_COPYRIGHT "${TOVREL_COPYRIGHT}")
include(CPack)
