# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Installs a Qt program as a desktop application, with GNUInstallDirs: the
# program, its desktop entry, its icons in the hicolor theme and its AppStream
# metainfo, all named by the program's reverse-domain ID.
#
# cp_install_desktop_program(<target> NAME <suffix> DESKTOP_IN <file> ASSETS <folder>
#   SVG <file> SUMMARY <text> COMMENT <text> DESCRIPTION <text> VERSION <x.y.z>
#   SCREENSHOT <file>)
#
# ASSETS holds the rendering of SVG as hicolor-<size>.png for every size below.
# The desktop template may use @app_id@, @app_summary@ and @app_comment@;
# SCREENSHOT is a file under docs/, published at CP_HOMEPAGE_URL. The ID is
# also the name the program's windows give (Wayland app_id, X11 WM_CLASS),
# which is how a shell finds the entry of a running window.
include(GNUInstallDirs)

set(CP_APP_ID_PREFIX "io.github.corvelpellam" CACHE STRING "Reverse domain of the programs' IDs")
set(CP_HOMEPAGE_URL "https://corvelpellam.github.io" CACHE STRING "Where the project is published")
# The day the current versions were released.
set(CP_RELEASE_DATE "2026-12-07")
set(CP_HICOLOR_SIZES 16 32 48 128)

# cp_desktop_id(<out> <name>): the ID of the program <name>.
function(cp_desktop_id out name)
  set(${out} ${CP_APP_ID_PREFIX}.${name} PARENT_SCOPE)
endfunction()

function(cp_install_desktop_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg ""
    "NAME;DESKTOP_IN;ASSETS;SVG;SUMMARY;COMMENT;DESCRIPTION;VERSION;SCREENSHOT" "")
  cp_desktop_id(app_id ${arg_NAME})
  set(app_summary ${arg_SUMMARY})
  set(app_comment ${arg_COMMENT})
  set(desktop ${CMAKE_CURRENT_BINARY_DIR}/${app_id}.desktop)
  set(metainfo ${CMAKE_CURRENT_BINARY_DIR}/${app_id}.metainfo.xml)
  configure_file(${arg_DESKTOP_IN} ${desktop} @ONLY)
  set_target_properties(${target} PROPERTIES CP_DESKTOP_ENTRY ${desktop})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/metainfo.xml.in ${metainfo} @ONLY)

  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  foreach(size IN LISTS CP_HICOLOR_SIZES)
    install(FILES ${arg_ASSETS}/hicolor-${size}.png DESTINATION ${icons}/${size}x${size}/apps
            RENAME ${app_id}.png)
  endforeach()
  install(FILES ${arg_ASSETS}/${arg_SVG} DESTINATION ${icons}/scalable/apps RENAME ${app_id}.svg)
endfunction()
