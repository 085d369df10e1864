# What a release holds, where `cmake --install` puts it, and the packages
# CPack makes of it.
#
# Linux: `cmake --install BUILD --prefix P` installs vexocnvt and vexofont
# into P/bin, their manual pages into P/share/man/man1, bash completion for
# vexofont into P/share/bash-completion/completions, and the README,
# licence, notice, changelog and examples into P/share/doc/vexocnvt. One
# command makes the Debian package and the .tar.gz in BUILD/packages:
#   cmake -S . -B build && cmake --build build -j2 && (cd build && cpack)
#
# Windows: vexocnvt-VERSION-windows-x86_64.zip with vexocnvt.exe, the README,
# the licence and the example configuration and fonts, all in one folder:
#   cmake --preset windows && cmake --build --preset windows &&
#   cpack --preset windows          (or: cd build-windows && cpack -G ZIP)

set(CPACK_PACKAGE_NAME vexocnvt)
set(CPACK_PACKAGE_VENDOR "The vexocnvt developers")
set(CPACK_PACKAGE_CONTACT "The vexocnvt developers <vexocnvt@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Font converter for two-station receipt printers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)

# The manual pages carry the project's version.
foreach(page vexocnvt.1 vexofont.1)
  configure_file(${PROJECT_SOURCE_DIR}/man/${page}.in
                 ${PROJECT_BINARY_DIR}/man/${page} @ONLY)
endforeach()

if(WIN32)
  install(TARGETS vexocnvt RUNTIME DESTINATION .)
  if(VEXO_TOOLS)
    install(TARGETS vexofont RUNTIME DESTINATION .)
    # The manual pages as HTML, for a machine without man.
    find_program(VEXO_MANDOC_HTML mandoc)
    if(VEXO_MANDOC_HTML)
      foreach(page vexocnvt vexofont)
        add_custom_command(
          OUTPUT ${PROJECT_BINARY_DIR}/man/${page}.html
          COMMAND ${VEXO_MANDOC_HTML} -T html ${PROJECT_BINARY_DIR}/man/${page}.1
                  > ${PROJECT_BINARY_DIR}/man/${page}.html
          DEPENDS ${PROJECT_BINARY_DIR}/man/${page}.1)
        list(APPEND vexo_man_html ${PROJECT_BINARY_DIR}/man/${page}.html)
      endforeach()
      add_custom_target(man_html ALL DEPENDS ${vexo_man_html})
      install(FILES ${vexo_man_html} DESTINATION doc)
    endif()
  endif()
  install(FILES README.md LICENSE NOTICE CHANGELOG.md DESTINATION .)
  install(DIRECTORY examples/ DESTINATION examples
          PATTERN "*.out" EXCLUDE
          PATTERN "*.sh" EXCLUDE)
  set(CPACK_PACKAGE_FILE_NAME
      "vexocnvt-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR}")
  set(CPACK_GENERATOR ZIP)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)

install(TARGETS vexocnvt RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_BINARY_DIR}/man/vexocnvt.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(VEXO_TOOLS)
  install(TARGETS vexofont RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_BINARY_DIR}/man/vexofont.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES completion/vexofont.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME vexofont)
endif()
install(FILES README.md LICENSE NOTICE CHANGELOG.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
        PATTERN "*.out" EXCLUDE)

set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_FILE_NAME
    "vexocnvt-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "vexocnvt turns input font files for the thermal and the impact station
of a receipt printer into one output font file. vexofont makes input fonts
from BDF, PCF, TrueType and OpenType fonts, checks and draws font files, and
writes them as glyph texts that can be edited and built back.")
# The shared libraries the programs link (FreeType, libpng, zlib, the C and
# C++ runtimes) become the package's dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://localhost/vexocnvt")
include(CPack)
