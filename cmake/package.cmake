# The Debian package (CPack's DEB generator): `make package` builds
# boardsmith_<version>_<arch>.deb in the build folder from the install rules
# of cmake/install.cmake, with the binaries stripped and installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME boardsmith)
set(CPACK_PACKAGE_VENDOR "The Boardsmith developers")
set(CPACK_PACKAGE_CONTACT "${BOARDSMITH_CONTACT}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${BOARDSMITH_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for printed circuit boards")
set(CPACK_PACKAGE_DESCRIPTION
  "Boardsmith draws printed circuit boards: tracks, zones, pads, circles and\n"
  "texts on copper, silkscreen and inner layers, rubber-band connections and\n"
  "ground planes, several boards in one project. It writes the Gerber and\n"
  "Excellon files and the drill list for the board maker.\n"
  "\n"
  "The package holds the editor, boardsmith, and the command line tool\n"
  "boardsmith-cli, which summarises and converts projects, draws boards as PNG\n"
  "pictures and writes the manufacturing files without a window.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link, found by dpkg-shlibdeps, plus the Qt
# plugins they load at run time: the X11 and other platform plugins and the
# SVG icon engine for the window icon.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(BOARDSMITH_BUILD_APP)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
  # Wayland sessions, and Qt's own texts in the dialogs it provides.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
endif()
include(CPack)
