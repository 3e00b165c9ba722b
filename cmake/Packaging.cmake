# What `cmake --install` puts where, and the Debian package cpack builds from it.
# Only the program and its desktop files are installed: tests, tools and
# benchmarks stay in the build tree.

include(GNUInstallDirs)

set(VANTREL_APP_ID io.vantrel.Editor)
# The date of the release named by the project version; set with it.
set(VANTREL_RELEASE_DATE 2026-12-09)

if(TARGET vantrel)
  configure_file(${CMAKE_SOURCE_DIR}/data/${VANTREL_APP_ID}.metainfo.xml
                 ${CMAKE_BINARY_DIR}/data/${VANTREL_APP_ID}.metainfo.xml @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/data/vantrel.1.in ${CMAKE_BINARY_DIR}/data/vantrel.1 @ONLY)

  install(TARGETS vantrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/data/${VANTREL_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/data/${VANTREL_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_BINARY_DIR}/data/${VANTREL_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${CMAKE_BINARY_DIR}/data/vantrel.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "The Vantrel developers")
set(CPACK_PACKAGE_CONTACT "Vantrel developers <dev@vantrel.io>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "text editor for programmers")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel Editor opens each file in a tab of its own, highlights the syntax of\n"
    "seventeen languages, searches with regular expressions, shows files in hex\n"
    "and prints, also to PDF from the command line.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY vantrel)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends from the libraries the program links, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 and Wayland platform plugins: libqt6gui6 only recommends them, and
# without one the window cannot open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
include(CPack)
