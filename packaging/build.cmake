# SPDX-License-Identifier: GPL-3.0-or-later
# How the build is set up for the Debian package; included before any target or install rule.

# Folders that the install rules create on the way get the usual modes, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian's hardening flags (dpkg-buildflags) on every target of an optimised build, so that the
# program built here, and packaged from here, is hardened as Debian builds its own packages.
option(TESSARIA_DEBIAN_BUILDFLAGS "Add Debian's hardening flags from dpkg-buildflags" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)

# The sanitizer and fuzzing builds and an unoptimised build stay without them: _FORTIFY_SOURCE
# needs optimisation, and the sanitizers bring their own checks.
if(TESSARIA_DEBIAN_BUILDFLAGS AND DPKG_BUILDFLAGS AND NOT TESSARIA_SANITIZE AND NOT TESSARIA_FUZZ
   AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    # Run in the source folder: the file-prefix map it emits replaces that folder by ".".
    execute_process(COMMAND ${DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # The build type chooses optimisation and debug information.
    list(FILTER flags EXCLUDE REGEX "^-(g|O[0-9s]?)$")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
  message(STATUS "Debian hardening flags from dpkg-buildflags: on")
endif()
