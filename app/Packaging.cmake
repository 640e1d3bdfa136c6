# `cpack` in the build directory makes a Debian package of what `cmake --install`
# installs, for /usr. The shared-library dependencies come from dpkg-shlibdeps;
# the fonts are named by hand because the layout is measured in them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varlo-calculator)
set(CPACK_PACKAGE_VENDOR "Varlo")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Varlo Calculator: ${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "A small desktop calculator for textile dye houses: from the measured dimensions of a cylindrical or conical yarn package and the weight of its yarn it computes the average winding density in g/dm3.")
set(CPACK_PACKAGE_CONTACT "Varlo Calculator developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")

include(CPack)
