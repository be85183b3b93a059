# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Natively GoogleTest comes from Debian's libgtest-dev; a cross build compiles it
# from Debian's source package with the cross compiler.
if(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# cp_gtest(<name> SOURCES ... LIBS ...): one GoogleTest executable, its tests
# discovered at test time so that cross builds discover them under the emulator.
function(cp_gtest name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  if(WIN32)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/windows/utf8-manifest.rc)
  endif()
  cp_warnings(${name})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} cp_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  # A cross build with nothing to run it in (i686 here) builds its tests only.
  if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  # A cold Wine start takes seconds, so discovery under the emulator gets time.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES LABELS unit)
endfunction()
