# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# cp_qtest(<name> SOURCES ... LIBS ...): one Qt Test executable run as one
# test on the offscreen platform, so that no display is needed; labelled gui.
set(CP_XDG_RUNTIME_DIR ${CMAKE_BINARY_DIR}/xdg-runtime)
file(MAKE_DIRECTORY ${CP_XDG_RUNTIME_DIR})
file(CHMOD ${CP_XDG_RUNTIME_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(CP_LSAN_SUPPRESSIONS ${PROJECT_SOURCE_DIR}/tests/support/lsan-qt.supp)

function(cp_qtest name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  cp_warnings(${name})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} cp_test_support Qt6::Test Qt6::Widgets)
  add_test(NAME ${name} COMMAND ${name})
  cp_qtest_environment(${name})
endfunction()

# The environment and label of every test that runs a Qt program: the
# offscreen platform unless the test starts its own display; labelled gui
# unless the caller labels it after.
function(cp_qtest_environment test)
  set_tests_properties(${test} PROPERTIES LABELS gui ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CP_XDG_RUNTIME_DIR};LSAN_OPTIONS=suppressions=${CP_LSAN_SUPPRESSIONS}")
endfunction()

# cp_qtest_at_scales(<executable> <scale>...): the executable run once more for
# each scale factor, as the test <executable>_<scale>; Qt takes the factor
# once per process.
function(cp_qtest_at_scales executable)
  foreach(scale IN LISTS ARGN)
    add_test(NAME ${executable}_${scale} COMMAND ${executable})
    cp_qtest_environment(${executable}_${scale})
    set_property(TEST ${executable}_${scale} APPEND PROPERTY ENVIRONMENT QT_SCALE_FACTOR=${scale})
  endforeach()
endfunction()
