# Installation and the Debian package.
#
# mobr, the settings module, its sibling libraries, the resource file and
# the bundled system folder find each other by their places next to one
# another, so they are installed together into lib/mobr/ (as many programs
# keep a private folder there); bin/mobr is a link to the program in it.
# The desktop entry and the icon go where desktop environments look.
include(GNUInstallDirs)
set(MOBR_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/mobr)

install(TARGETS mobr mobrtmpl mobrdlg mobrdchk mobrcctl mobrdata mobrhost mobrplatform
        RUNTIME DESTINATION ${MOBR_INSTALL_DIR}
        LIBRARY DESTINATION ${MOBR_INSTALL_DIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/ZQRCTMPL.rcc DESTINATION ${MOBR_INSTALL_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/samples/system/ DESTINATION ${MOBR_INSTALL_DIR}/system)
install(FILES ${CMAKE_SOURCE_DIR}/samples/sample.json ${CMAKE_SOURCE_DIR}/samples/demo.json
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mobr/samples)
# A relative link, so that the installed tree can move (DESTDIR, packages).
file(RELATIVE_PATH _mobr_link_target ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${MOBR_INSTALL_DIR}/mobr)
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK \"${_mobr_link_target}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/mobr\" SYMBOLIC)
")
install(FILES ${CMAKE_SOURCE_DIR}/packaging/mobr.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/mobr.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mobr)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "mobr maintainers <mobr@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "2D drawing host with the settings-dialog module")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "mobr opens, draws and saves figures and runs the settings dialogs of the settings module\n(line types, widths, colours, fonts, arrow tips, drawing size) from its menus or from scenarios.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies come from the binaries themselves (dpkg-shlibdeps);
# the fonts are what the drawing and the dialogs show their texts with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-ipafont-gothic")
# Qt's own texts (message box buttons, file dialogs) in Japanese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)
include(CPack)
