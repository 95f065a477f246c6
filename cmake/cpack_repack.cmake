# Runs after CPack has made each package. CPack's tarball lists files in the order the file
# system gives them; made again with sorted entries, root as owner and no extra fields, it
# comes out byte for byte the same from any build of one commit (times come from staging).
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.tar\\.gz$")
    get_filename_component(top "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY)
    get_filename_component(name "${CPACK_TEMPORARY_DIRECTORY}" NAME)
    execute_process(
      COMMAND tar --sort=name --owner=0 --group=0 --numeric-owner --format=gnu -C "${top}"
              -cf - "${name}"
      COMMAND gzip -9n OUTPUT_FILE "${package}" COMMAND_ERROR_IS_FATAL ANY)
  elseif(package MATCHES "\\.deb$")
    # CPack's Installed-Size adds up the directories' own sizes, which the file system picks
    # (4 KiB on ext4, far less on a tmpfs). Counted as dpkg-gencontrol counts, each file in
    # KiB rounded up and 1 for anything else, it is the same wherever the package is made.
    set(deb "${CPACK_TEMPORARY_DIRECTORY}")
    file(GLOB_RECURSE entries LIST_DIRECTORIES true "${deb}/usr/*")
    set(kib 1)  # usr itself
    foreach(entry IN LISTS entries)
      if(IS_DIRECTORY "${entry}" OR IS_SYMLINK "${entry}")
        math(EXPR kib "${kib} + 1")
      else()
        file(SIZE "${entry}" size)
        math(EXPR kib "${kib} + (${size} + 1023) / 1024")
      endif()
    endforeach()
    file(READ "${deb}/control" control)
    string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n" control
                         "${control}")
    # Made again by dpkg-deb from CPack's staged tree, as Debian's own packages are: entries
    # sorted and owned by root, times clamped to SOURCE_DATE_EPOCH, no owner or time of this
    # machine's in the ar header.
    file(WRITE "${deb}/DEBIAN/control" "${control}")
    file(RENAME "${deb}/md5sums" "${deb}/DEBIAN/md5sums")
    file(REMOVE "${deb}/control" "${deb}/control.tar.gz" "${deb}/data.tar.gz"
         "${deb}/debian-binary" "${package}")
    execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip -z9 --build "${deb}" "${package}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
