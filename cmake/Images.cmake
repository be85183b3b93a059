# cp_add_images(<target> <folder> <file>...): embeds the images that a window
# design names into a Qt program or test, under ":/images/". A target may take
# the images of several folders.
function(cp_add_images target folder)
  list(TRANSFORM ARGN PREPEND ${folder}/ OUTPUT_VARIABLE files)
  string(MAKE_C_IDENTIFIER "${folder}" resource)
  qt_add_resources(${target} images_${resource} PREFIX /images BASE ${folder} FILES ${files})
endfunction()
