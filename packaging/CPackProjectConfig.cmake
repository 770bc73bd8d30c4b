# Runs inside cpack, once per generator.
#
# A binary built for another prefix than the package's treats /usr/bin as a portable
# folder and tries to save games beside itself, where a user cannot write.

if(CPACK_GENERATOR STREQUAL "DEB")
  if(IS_ABSOLUTE "${CPACK_TREVAK_BINDIR}")
    set(_trevak_package_bindir "${CPACK_TREVAK_BINDIR}")
  else()
    set(_trevak_package_bindir "${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_TREVAK_BINDIR}")
  endif()
  if(NOT _trevak_package_bindir STREQUAL CPACK_TREVAK_COMPILED_BINDIR)
    message(FATAL_ERROR
      "trevak was built to run from ${CPACK_TREVAK_COMPILED_BINDIR}, but the package "
      "installs it into ${_trevak_package_bindir}. Configure the build with "
      "-DCMAKE_INSTALL_PREFIX=${CPACK_PACKAGING_INSTALL_PREFIX}, rebuild, and run cpack again.")
  endif()
endif()
