# SPDX-License-Identifier: GPL-3.0-or-later
# The package's version and date, from the history: the project's version followed by the
# number of commits (1.0.N), so that every landed change gives a higher version and a rebuilt
# package updates an installed one; the date of the last commit dates the changelog entry and
# the AppStream release, and is the time of every file in the package. The window's caption
# keeps the project's version ("Tessaria 1.0") whatever this says.
#
# Run alone (cmake -DPROJECT_SOURCE_DIR=... -DPROJECT_VERSION=... -P version.cmake) it prints the
# same "Package version" line, which the package test compares across commits.
#
# Sets TESSARIA_PACKAGE_VERSION, TESSARIA_RELEASE_EPOCH (seconds), TESSARIA_RELEASE_DAY
# (YYYY-MM-DD) and TESSARIA_RELEASE_DATE (the changelog's form, in UTC).
set(commits "")
set(epoch "")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE commits OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(NOT failed)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE)
    # A commit, a merge or a checkout moves HEAD: configure again, so the version follows.
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE)
    foreach(moved HEAD logs/HEAD)
      if(EXISTS ${git_dir}/${moved} AND NOT CMAKE_SCRIPT_MODE_FILE)
        set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/${moved})
      endif()
    endforeach()
  else()
    set(commits "")
  endif()
endif()
if(commits STREQUAL "")
  # A source tree without its history (an unpacked archive): the version alone, and the time
  # of the top CMakeLists.txt as the date.
  set(commits 0)
  file(TIMESTAMP ${PROJECT_SOURCE_DIR}/CMakeLists.txt epoch "%s" UTC)
endif()
set(TESSARIA_PACKAGE_VERSION ${PROJECT_VERSION}.${commits})
set(TESSARIA_RELEASE_EPOCH ${epoch})

# string(TIMESTAMP) formats SOURCE_DATE_EPOCH when it is set: the commit's time, not now.
set(saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${epoch})
string(TIMESTAMP TESSARIA_RELEASE_DAY "%Y-%m-%d" UTC)
string(TIMESTAMP TESSARIA_RELEASE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${saved_epoch}")
message(STATUS "Package version ${TESSARIA_PACKAGE_VERSION} of ${TESSARIA_RELEASE_DATE}")
