# cp_qtest(<name> SOURCES ... LIBS ... [LABELS ...] [ENVIRONMENT ...]): one Qt
# Test executable run as one test on the offscreen platform, so that no
# display is needed.
set(CP_XDG_RUNTIME_DIR ${CMAKE_BINARY_DIR}/xdg-runtime)
file(MAKE_DIRECTORY ${CP_XDG_RUNTIME_DIR})
file(CHMOD ${CP_XDG_RUNTIME_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(CP_LSAN_SUPPRESSIONS ${PROJECT_SOURCE_DIR}/tests/support/lsan-qt.supp)

function(cp_qtest name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  cp_warnings(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} Qt6::Test Qt6::Widgets)
  add_test(NAME ${name} COMMAND ${name})
  cp_qtest_environment(${name} ENVIRONMENT ${arg_ENVIRONMENT})
  set(labels gui)
  if(arg_LABELS)
    set(labels ${arg_LABELS})
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}")
endfunction()

# The environment every Qt test runs in; an ENVIRONMENT entry for
# QT_QPA_PLATFORM replaces the default one.
function(cp_qtest_environment test)
  cmake_parse_arguments(arg "" "" "ENVIRONMENT" ${ARGN})
  set(environment QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${CP_XDG_RUNTIME_DIR})
  list(APPEND environment LSAN_OPTIONS=suppressions=${CP_LSAN_SUPPRESSIONS})
  foreach(entry IN LISTS arg_ENVIRONMENT)
    if(entry MATCHES "^QT_QPA_PLATFORM=")
      list(FILTER environment EXCLUDE REGEX "^QT_QPA_PLATFORM=")
    endif()
    list(APPEND environment "${entry}")
  endforeach()
  set_tests_properties(${test} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
