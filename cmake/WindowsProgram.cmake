# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# cp_windows_program(<name> MAJOR m MINOR n REVISION r DESCRIPTION text COMMENT text
#                    SOURCES ... RESOURCES ... LIBS ...): a windowed Windows
# program with its version resource (file and product version m.n.0.r, written
# "m.nn.rrrr"), the project's manifest and the given resource scripts.
function(cp_windows_program target)
  cmake_parse_arguments(arg "" "MAJOR;MINOR;REVISION;DESCRIPTION;COMMENT" "SOURCES;RESOURCES;LIBS"
                        ${ARGN})
  cp_zero_padded(minor_text ${arg_MINOR} 2)
  cp_zero_padded(revision_text ${arg_REVISION} 4)
  set(version_text "${arg_MAJOR}.${minor_text}.${revision_text}")
  set(version_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/version.rc.in ${version_rc} @ONLY)
  set_source_files_properties(${PROJECT_SOURCE_DIR}/cmake/windows/utf8-manifest.rc PROPERTIES
    OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/windows/utf8.manifest)
  add_executable(${target} WIN32 ${arg_SOURCES} ${arg_RESOURCES} ${version_rc}
                                 ${PROJECT_SOURCE_DIR}/cmake/windows/utf8-manifest.rc)
  target_link_libraries(${target} PRIVATE ${arg_LIBS})
  target_link_options(${target} PRIVATE $<$<CONFIG:Release>:-s>)
  cp_warnings(${target})
endfunction()

function(cp_zero_padded out value width)
  set(text "${value}")
  string(LENGTH "${text}" length)
  while(length LESS width)
    string(PREPEND text "0")
    math(EXPR length "${length} + 1")
  endwhile()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
