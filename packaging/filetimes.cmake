# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack after installing into its staging folder (CPACK_PRE_BUILD_SCRIPTS): every file,
# folder and link there gets the time of the last commit, whenever and however it was made.
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(SORT entries)
execute_process(COMMAND touch --no-dereference --date=@${TESSARIA_RELEASE_EPOCH}
    ${CPACK_TEMPORARY_INSTALL_DIRECTORY} ${entries}
  COMMAND_ERROR_IS_FATAL ANY)
