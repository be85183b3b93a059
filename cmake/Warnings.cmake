# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Applied to every target of the project through cp_warnings(<target>).
function(cp_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wsign-conversion)
  # Window designs are tables of designated initializers that leave members at
  # their defaults on purpose; GCC would flag every one of them.
  target_compile_options(${target} PRIVATE -Wno-missing-field-initializers)
  if(CP_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
