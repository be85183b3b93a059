# cp_add_images(<target> <folder> <file>...): embeds the images that a window
# design names into a Qt program or test, under ":/images/".
function(cp_add_images target folder)
  list(TRANSFORM ARGN PREPEND ${folder}/ OUTPUT_VARIABLE files)
  qt_add_resources(${target} images PREFIX /images BASE ${folder} FILES ${files})
endfunction()
