# Which optional parts the build has: VEXO_TOOLS (vexofont: FreeType,
# libpng, zlib) and VEXO_TESTS (GoogleTest). Left unset, each is on when its
# libraries are found and off, with one message that names the missing
# package, when not; set on the command line, it is what it says, and a
# missing library stops the configuration. The packages named are
# Debian's and Ubuntu's; cmake/packages-debian.txt lists them all.

# VEXO_TOOLS
if(DEFINED CACHE{VEXO_TOOLS})
  set(vexo_tools_required REQUIRED)
elseif(WIN32 AND NOT VEXO_WINDOWS_DEPS)
  set(VEXO_TOOLS OFF)
else()
  set(vexo_missing)
  find_package(PkgConfig QUIET)
  if(PkgConfig_FOUND)
    pkg_check_modules(vexo_probe_freetype QUIET freetype2)
  endif()
  if(NOT vexo_probe_freetype_FOUND)
    list(APPEND vexo_missing "FreeType (libfreetype-dev, pkg-config)")
  endif()
  find_package(PNG QUIET)
  if(NOT PNG_FOUND)
    list(APPEND vexo_missing "libpng (libpng-dev)")
  endif()
  find_package(ZLIB QUIET)
  if(NOT ZLIB_FOUND)
    list(APPEND vexo_missing "zlib (zlib1g-dev)")
  endif()
  if(vexo_missing)
    list(JOIN vexo_missing ", " vexo_missing_text)
    message(STATUS "vexofont is left out: ${vexo_missing_text} not found. "
                   "The converter needs none of them; install them and "
                   "configure again for vexofont and its tests.")
    set(VEXO_TOOLS OFF)
  else()
    set(VEXO_TOOLS ON)
  endif()
endif()

# VEXO_TESTS
if(DEFINED CACHE{VEXO_TESTS})
  set(vexo_tests_required REQUIRED)
elseif(CMAKE_CROSSCOMPILING)
  # Built from the sources Debian's googletest package ships.
  if(EXISTS /usr/src/googletest/CMakeLists.txt)
    set(VEXO_TESTS ON)
  else()
    message(STATUS "The tests are left out: GoogleTest's sources "
                   "(googletest) not found in /usr/src/googletest.")
    set(VEXO_TESTS OFF)
  endif()
else()
  find_package(GTest QUIET)
  if(GTest_FOUND)
    set(VEXO_TESTS ON)
  else()
    message(STATUS "The tests are left out: GoogleTest (libgtest-dev) not "
                   "found. Install it and configure again to build them.")
    set(VEXO_TESTS OFF)
  endif()
endif()
