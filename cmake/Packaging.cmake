# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# One package holding both programs, made by CPack: a .deb on Linux, whose
# dependencies dpkg-shlibdeps finds from the programs themselves, and a .zip
# per architecture on Windows, where the programs need nothing but the system.
set(CPACK_PACKAGE_NAME corvel-pellam)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Uptime meter (Corvel) and Wine registry viewer (Pellam)")
# Debian shows the description as it is written: lines of at most 80 columns,
# an empty line between paragraphs.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Two small click-driven desktop utilities on Qt 6.\n"
       "\n"
       "Corvel, the uptime meter, shows the time since the system started as a\n"
       "32-bit millisecond counter gives it: a reading treated so that it never\n"
       "goes negative, the raw signed reading, and the days left before the\n"
       "treated reading reaches the top of the signed 32-bit range.\n"
       "\n"
       "Pellam, the registry viewer, reads one value from the registry of a Wine\n"
       "prefix, straight from its files and without starting Wine, and shows its\n"
       "data as text.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${CP_HOMEPAGE_URL})
set(CPACK_PACKAGE_CONTACT "Corvel and Pellam maintainers <maintainers@corvelpellam.github.io>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

if(WIN32)
  # The programs are linked stripped already.
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/windows/readme.txt DESTINATION .)
  # The project's licence, and the notices of the libraries that the static
  # link puts inside each program.
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/windows/NOTICES.txt DESTINATION .)
  include(CPack)
  return()
endif()

set(CPACK_STRIP_FILES ON)

# What Debian asks of every package besides the programs: the copyright file,
# the changelog and a manual page for each program, the last two compressed
# as Debian does it (gzip -9n, so the same sources give the same bytes).
find_program(CP_GZIP gzip REQUIRED)
# cp_install_gzipped(<source> <name> <destination> <configure_file mode>)
function(cp_install_gzipped source name destination mode)
  set(copy ${CMAKE_BINARY_DIR}/debian/${name})
  configure_file(${source} ${copy} ${mode})
  execute_process(COMMAND ${CP_GZIP} -9nc ${copy} OUTPUT_FILE ${copy}.gz COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${copy}.gz DESTINATION ${destination})
endfunction()

set(cp_debian ${PROJECT_SOURCE_DIR}/cmake/debian)
set(cp_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
# The changelog's newest entry is the release being packaged.
file(STRINGS ${cp_debian}/changelog cp_changelog_top LIMIT_COUNT 1)
string(REPLACE "." "\\." cp_version_pattern ${PROJECT_VERSION})
if(NOT cp_changelog_top MATCHES "^${CPACK_PACKAGE_NAME} \\(${cp_version_pattern}\\) ")
  message(FATAL_ERROR "cmake/debian/changelog: its newest entry is not for version "
                      "${PROJECT_VERSION}: ${cp_changelog_top}")
endif()
install(FILES ${cp_debian}/copyright DESTINATION ${cp_doc_dir})
cp_install_gzipped(${cp_debian}/changelog changelog ${cp_doc_dir} COPYONLY)
foreach(program Corvel Pellam)
  cp_install_gzipped(${PROJECT_SOURCE_DIR}/docs/${program}.1.in ${program}.1
                     ${CMAKE_INSTALL_MANDIR}/man1 @ONLY)
endforeach()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so dpkg-shlibdeps cannot know them: the face that stands in
# for the designs' fonts, and Qt's platform plugin for Wayland sessions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-wayland")

include(CPack)
