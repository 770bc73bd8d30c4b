# Installing Trevak as a desktop program, and the Debian package built from that install.
#
# The program counts as installed when it runs from ${TREVAK_INSTALL_FULL_GAMESDIR} (compiled in
# as TREVAK_INSTALL_BINDIR), so the package has to put it exactly there; Debian packages
# live in /usr, hence: configure with -DCMAKE_INSTALL_PREFIX=/usr before running cpack.

set(TREVAK_APP_ID org.example.Trevak)
set(TREVAK_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

install(TARGETS trevak RUNTIME DESTINATION ${TREVAK_INSTALL_GAMESDIR})

# The manual page and the changelog go compressed, as Debian keeps them; -n leaves out the
# time stamp, so that the same sources make the same package.
set(TREVAK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/trevak)
foreach(doc trevak.6 changelog)
  add_custom_command(OUTPUT ${doc}.gz
                     COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/${doc} > ${doc}.gz
                     DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${doc} VERBATIM)
endforeach()
add_custom_target(trevak_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/trevak.6.gz
                                          ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/trevak.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${TREVAK_DOC_DIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TREVAK_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TREVAK_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The desktop entry names the icon "trevak"; every size carries that name in its own folder.
install(FILES ${PROJECT_SOURCE_DIR}/resources/trevak.png
        DESTINATION ${TREVAK_ICON_DIR}/32x32/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/trevak@2x.png
        DESTINATION ${TREVAK_ICON_DIR}/64x64/apps RENAME trevak.png)
install(FILES ${PROJECT_SOURCE_DIR}/resources/trevak-128.png
        DESTINATION ${TREVAK_ICON_DIR}/128x128/apps RENAME trevak.png)
install(FILES ${PROJECT_SOURCE_DIR}/resources/src/trevak.svg
        DESTINATION ${TREVAK_ICON_DIR}/scalable/apps)

# Debian looks for the licence of package "trevak" in /usr/share/doc/trevak/copyright.
if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
          DESTINATION ${TREVAK_DOC_DIR} RENAME copyright)
endif()

# --- Debian package (cpack -G DEB) ---
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trevak)
set(CPACK_PACKAGE_VENDOR "Trevak developers")
set(CPACK_PACKAGE_CONTACT "Trevak developers <trevak@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "knight's tour puzzle")
# Debian shows the long description as written; its lines should stay under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [[
Trevak is a knight's tour puzzle: move the knight over the chessboard so
that it visits every one of the 64 squares exactly once. Moves can be
stepped back and forward, and an unfinished tour can be saved and
continued later. The user interface is in Czech.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Trevak developers <trevak@example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# dpkg-shlibdeps finds the Qt libraries the binary links; the platform plugins are loaded
# at run time, so no linker tells it about them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own dialogs (file chooser, message box buttons) speak Czech only with these.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

# Read back by CPackProjectConfig.cmake to refuse a package whose binary would not
# recognise its own install folder.
set(CPACK_TREVAK_COMPILED_BINDIR ${TREVAK_INSTALL_FULL_GAMESDIR})
set(CPACK_TREVAK_BINDIR ${TREVAK_INSTALL_GAMESDIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackProjectConfig.cmake)

include(CPack)
