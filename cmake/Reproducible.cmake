# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Builds that give the same bytes whoever makes them, wherever: the programs,
# the .deb and the Windows .zip files depend only on the commit.
#
# CP_SOURCE_DATE_EPOCH is the time that stands for every time stamp: the
# SOURCE_DATE_EPOCH of the environment when given, else the date of the
# commit that is checked out.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(CP_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE CP_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_result ERROR_QUIET)
  endif()
  if(NOT GIT_FOUND OR NOT git_result EQUAL 0)
    message(FATAL_ERROR "Not a git checkout: set SOURCE_DATE_EPOCH to the sources' date")
  endif()
  # Another commit, another date.
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE git_dir
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(EXISTS ${git_dir}/logs/HEAD)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
  endif()
endif()
if(NOT CP_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a number of seconds, not '${CP_SOURCE_DATE_EPOCH}'")
endif()

if(WIN32)
  # MinGW's linker would stamp each program with the time it was linked.
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# CPack reads this when it runs, so the time reaches the archives it writes:
# it dates every entry SOURCE_DATE_EPOCH, and gives the .deb's to root. The
# .zip files are then written again in an order and with owners of their own.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackReproducible.cmake)
set(cpack_settings "set(ENV{SOURCE_DATE_EPOCH} ${CP_SOURCE_DATE_EPOCH})\n")
if(WIN32)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  string(APPEND cpack_settings "set(CP_PYTHON ${Python3_EXECUTABLE})\n")
  set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/windows/NormaliseZip.cmake)
endif()
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT "${cpack_settings}")
