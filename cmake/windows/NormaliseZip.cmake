# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Run by CPack after it has written the .zip (CPACK_POST_BUILD_SCRIPTS): CPack
# lists entries in the order the file system gives and records their owners,
# so the archive is written again in an order and with owners of its own.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND ${CP_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/normalise_zip.py ${package}
                          $ENV{SOURCE_DATE_EPOCH} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
