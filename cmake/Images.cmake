# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# cp_add_images(<target> <folder> <file>...): embeds the images that a window
# design names into a Qt program or test, under ":/images/". A target may take
# the images of several folders.
#
# Each image is embedded as PNG under its name with the suffix .png (the Qt
# backend reads them so): a PNG as it is, any other image decoded at build
# time by Qt's own reader for it (tools/image_to_png), so that the pixels are
# those that reader gives, and the program loads no image-format plugin.
function(cp_add_images target folder)
  set(embedded)
  foreach(file IN LISTS ARGN)
    get_filename_component(stem ${file} NAME_WLE)
    if(file MATCHES "\\.png$")
      set(png ${folder}/${file})
    else()
      set(png ${CMAKE_CURRENT_BINARY_DIR}/${target}_images/${stem}.png)
      file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${target}_images)
      add_custom_command(OUTPUT ${png} COMMAND image_to_png ${folder}/${file} ${png}
                         DEPENDS image_to_png ${folder}/${file} VERBATIM)
    endif()
    set_source_files_properties(${png} PROPERTIES QT_RESOURCE_ALIAS ${stem}.png)
    list(APPEND embedded ${png})
  endforeach()
  # Named by the folder's place in the project, not on this machine; written
  # in rcc's first format, which records no file times, so that the program
  # depends only on the images' bytes.
  file(RELATIVE_PATH place ${PROJECT_SOURCE_DIR} ${folder})
  string(MAKE_C_IDENTIFIER "${place}" resource)
  qt_add_resources(${target} images_${resource} PREFIX /images FILES ${embedded}
                   OPTIONS --format-version 1)
endfunction()
