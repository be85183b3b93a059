# One package holding both programs, made by CPack: a .deb on Linux, whose
# dependencies dpkg-shlibdeps finds from the programs themselves.
set(CPACK_PACKAGE_NAME corvel-pellam)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Uptime meter (Corvel) and Wine registry viewer (Pellam)")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Two small click-driven desktop utilities. Corvel shows the time since the system started, "
       "as a 32-bit millisecond counter. Pellam reads one value from a Wine prefix's registry.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${CP_HOMEPAGE_URL})
set(CPACK_PACKAGE_CONTACT "Corvel and Pellam maintainers <maintainers@corvelpellam.github.io>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not a library, so dpkg-shlibdeps cannot know it: the face that stands in for
# the designs' fonts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)

include(CPack)
