# What a release holds, and the archive CPack makes of it.
#
# Windows: vexocnvt-VERSION-windows-x86_64.zip with vexocnvt.exe, the README,
# the licence and the example configuration and fonts, all in one folder:
#   cmake --preset windows && cmake --build --preset windows &&
#   cpack --preset windows          (or: cd build-windows && cpack -G ZIP)
if(NOT WIN32)
  return()
endif()

install(TARGETS vexocnvt RUNTIME DESTINATION .)
install(FILES README.md LICENSE DESTINATION .)
install(DIRECTORY examples/ DESTINATION examples
        PATTERN "*.out" EXCLUDE
        PATTERN "*.sh" EXCLUDE)

set(CPACK_PACKAGE_NAME vexocnvt)
set(CPACK_PACKAGE_VENDOR "The vexocnvt developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Font converter for two-station receipt printers")
set(CPACK_PACKAGE_FILE_NAME
    "vexocnvt-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)
include(CPack)
