# cp_add_images(<target> <folder> <file>...): embeds the images that a window
# design names into a Qt program or test, under ":/images/". A target may take
# the images of several folders.
function(cp_add_images target folder)
  list(TRANSFORM ARGN PREPEND ${folder}/ OUTPUT_VARIABLE files)
  # Named by the folder's place in the project, not on this machine; written
  # in rcc's first format, which records no file times, so that the program
  # depends only on the images' bytes.
  file(RELATIVE_PATH place ${PROJECT_SOURCE_DIR} ${folder})
  string(MAKE_C_IDENTIFIER "${place}" resource)
  qt_add_resources(${target} images_${resource} PREFIX /images BASE ${folder} FILES ${files}
                   OPTIONS --format-version 1)
endfunction()
