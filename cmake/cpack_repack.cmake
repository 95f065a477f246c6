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
    file(WRITE "${deb}/control" "${control}")
    set(mtime)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
      set(mtime "--mtime=@$ENV{SOURCE_DATE_EPOCH}")
    endif()
    execute_process(
      COMMAND tar --owner=0 --group=0 --numeric-owner --format=gnu --mode=u=rw,go=r ${mtime}
              -C "${deb}" -cf - ./control ./md5sums
      COMMAND gzip -9n OUTPUT_FILE "${deb}/control.tar.gz" COMMAND_ERROR_IS_FATAL ANY)
    # ar's D: no owner, mode or time of this machine's in the member headers.
    file(REMOVE "${package}")
    execute_process(COMMAND ar rcD "${package}" debian-binary control.tar.gz data.tar.gz
                    WORKING_DIRECTORY "${deb}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
