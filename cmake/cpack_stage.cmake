# Runs in CPack's staging folder before each package is made: what Debian's policy asks of a
# .deb, and modes and file times that do not depend on the umask or the clock, so that the
# same commit gives the same bytes.
set(stage "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
message(STATUS "staging ${CPACK_GENERATOR} in ${stage}")
if(CPACK_GENERATOR STREQUAL "DEB")
  set(doc "${stage}/usr/share/doc/tovrel")
  file(RENAME "${stage}/usr/share/zsh/site-functions" "${stage}/usr/share/zsh/vendor-completions")
  execute_process(COMMAND gzip -9n "${stage}/usr/share/man/man1/tovrel.1"
                  COMMAND_ERROR_IS_FATAL ANY)
  file(READ "${CPACK_TOVREL_SOURCE_DIR}/LICENSE" license)
  string(REGEX REPLACE "\n\n" "\n.\n" license "${license}")
  string(REGEX REPLACE "\n([^\n])" "\n \\1" license "${license}")
  file(WRITE "${doc}/copyright"
       "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
       "Upstream-Name: tovrel\n\nFiles: *\nCopyright: ${CPACK_TOVREL_COPYRIGHT}\n"
       "License: Expat\n ${license}")
  file(REMOVE "${doc}/LICENSE")
  # Debian's changelog: the items of CHANGELOG.md's first entry, this release's, as its own.
  file(READ "${doc}/CHANGELOG.md" changes)
  file(REMOVE "${doc}/CHANGELOG.md")
  string(FIND "${changes}" "\n## " start)
  string(SUBSTRING "${changes}" ${start} -1 changes)
  string(FIND "${changes}" "\n- " start)
  string(SUBSTRING "${changes}" ${start} -1 changes)
  string(FIND "${changes}" "\n## " end)  # -1, to the end, when there is no older entry
  string(SUBSTRING "${changes}" 0 ${end} changes)
  string(STRIP "${changes}" changes)
  string(REPLACE "\n  " "\n    " changes "\n${changes}")
  string(REPLACE "\n- " "\n  * " changes "${changes}")
  string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  file(WRITE "${doc}/changelog"
       "tovrel (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n${changes}\n\n"
       " -- ${CPACK_PACKAGE_CONTACT}  ${date}\n")
  execute_process(COMMAND gzip -9n "${doc}/changelog" COMMAND_ERROR_IS_FATAL ANY)
  file(WRITE "${stage}/usr/share/lintian/overrides/tovrel"
       "# Nothing can be fortified: memcpy, memmove and memset fill heap buffers of sizes\n"
       "# unknown when compiled, readlink is proven safe, read and sprintf are libstdc++'s.\n"
       "hardening-no-fortify-functions [usr/bin/tovrel]\n")
endif()
# The program stripped as Debian's packaging strips it (dh_strip): the symbols, and the
# compilers' .comment and .note sections.
file(GLOB programs "${stage}/bin/tovrel" "${stage}/usr/bin/tovrel")
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_TOVREL_STRIP}" --remove-section=.comment
                          --remove-section=.note "${program}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
execute_process(COMMAND chmod -R u=rwX,go=rX "${stage}" COMMAND_ERROR_IS_FATAL ANY)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND find "${stage}" -exec touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" {} +
                  COMMAND_ERROR_IS_FATAL ANY)
endif()
