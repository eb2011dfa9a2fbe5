# "cpack -G DEB" in the build folder makes kv521-analyzer_<version>_<arch>.deb
# with both programs, the desktop entry, icons, the udev rule, the AppStream
# metainfo and the manual pages. Depends comes from dpkg-shlibdeps, so the
# package asks for exactly the Qt libraries the programs were linked with.
set(CPACK_PACKAGE_NAME kv521-analyzer)
set(CPACK_PACKAGE_VENDOR "Lumatrix")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Companion program of the KV521 radio-frequency detector")
# One string with its own line breaks: Debian wants the long description in
# lines of at most 80 characters, and a CMake list would be joined with ';'.
set(CPACK_PACKAGE_DESCRIPTION
    "Watch the KV521 detector's levels live, download and study its event log,
mirror its front panel, edit its settings and look at its fast signal in an
oscilloscope. Includes kv521-cli for scripts: log download, recording,
CSV/JSON conversion and PDF sweep reports.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lumatrix <support@lumatrix.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Russian texts of Qt's own dialogs; the program runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/resources/linux/postinst
    ${CMAKE_SOURCE_DIR}/resources/linux/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Only what a user runs; the simulator program and the tests stay out.
set(CPACK_COMPONENTS_ALL_IN_ONE_PACKAGE ON)
include(CPack)

# Makes the package in a scratch folder and checks what it holds.
if(UNIX AND NOT APPLE)
  find_program(KV521_DPKG_DEB dpkg-deb)
  # A sanitizer build is for finding faults, never for shipping.
  if(KV521_DPKG_DEB AND NOT CMAKE_CXX_FLAGS MATCHES "sanitize")
    add_test(NAME deb_package COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-deb-package.sh --build ${CMAKE_BINARY_DIR})
    set_tests_properties(deb_package PROPERTIES LABELS package TIMEOUT 600
                         ENVIRONMENT "CPACK=${CMAKE_CPACK_COMMAND}")
  endif()
endif()
