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
  endif()
endforeach()
