# Installing and packaging: the desktop files (res/desktop), the Debian package
# (`cpack -G DEB` in a built tree) and, in a release tree, the test that builds
# the package and starts the programs from it.
add_subdirectory(res/desktop)

set(CPACK_PACKAGE_NAME kolvane)
set(CPACK_PACKAGE_VENDOR Tavrin)
set(CPACK_PACKAGE_CONTACT Tavrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "address book for Japanese users that prints address labels")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Kolvane keeps address cards in one .kvd file. The card list sorts, filters by\n"
    "kana and alphabet index and searches as you type. Cards are edited in\n"
    "Japanese or English forms and printed as address labels. kolvane-cli works\n"
    "on address books without a window.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the programs link are found by dpkg-shlibdeps. Qt's SVG plugin
# is loaded, not linked, and draws every icon; the Japanese font and Qt's
# Japanese texts make the windows read as meant.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, qt6-translations-l10n")
include(CPack)

if(CMAKE_BUILD_TYPE STREQUAL "Release")
    set(_kolvane_package_test_default ON)
else()
    set(_kolvane_package_test_default OFF)
endif()
option(KOLVANE_PACKAGE_TEST "Test the Debian package: build, unpack and start it (needs dpkg-dev)"
       ${_kolvane_package_test_default})
if(KOLVANE_TESTS AND KOLVANE_PACKAGE_TEST)
    add_test(NAME install_package
        COMMAND sh "${PROJECT_SOURCE_DIR}/tests/install/package_test.sh"
                "${CMAKE_BINARY_DIR}" "${PROJECT_VERSION}" "${KOLVANE_SAMPLE_BOOK}")
endif()
