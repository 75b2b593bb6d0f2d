# `cpack -G DEB` (or `cmake --build build --target package`) makes
# vorn-foe_<version>_<arch>.deb; dpkg-shlibdeps finds the runtime libraries
# it depends on.
set(CPACK_PACKAGE_NAME vorn-foe)
set(CPACK_PACKAGE_VENDOR "The Vorn Foe Calculator developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Build the statistics of a foe for the Vorn role-playing game")
set(CPACK_PACKAGE_INSTALL_DIRECTORY vorn-foe)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vorn Foe Calculator developers <vornfoe@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The captions' stand-in faces; the decorative one is built into the program.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
include(CPack)
