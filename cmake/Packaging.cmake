# One package holding both programs, made by CPack: a .deb on Linux, whose
# dependencies dpkg-shlibdeps finds from the programs themselves, and a .zip
# per architecture on Windows, where the programs need nothing but the system.
set(CPACK_PACKAGE_NAME corvel-pellam)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Uptime meter (Corvel) and Wine registry viewer (Pellam)")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Two small click-driven desktop utilities. Corvel shows the time since the system started, "
       "as a 32-bit millisecond counter. Pellam reads one value from a Wine prefix's registry.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${CP_HOMEPAGE_URL})
set(CPACK_PACKAGE_CONTACT "Corvel and Pellam maintainers <maintainers@corvelpellam.github.io>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

if(WIN32)
  # The programs are linked stripped already.
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/windows/readme.txt DESTINATION .)
  include(CPack)
  return()
endif()

set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so dpkg-shlibdeps cannot know them: the face that stands in
# for the designs' fonts, and Qt's platform plugin for Wayland sessions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-wayland")

include(CPack)
