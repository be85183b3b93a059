# Applied to every target of the project through cp_warnings(<target>).
function(cp_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wsign-conversion)
  if(CP_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
