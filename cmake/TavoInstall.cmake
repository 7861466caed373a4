# Installing like a desktop program: the programs in bin/, the installation
# data read only in share/tavodex/ (each user's base folder is copied from
# it on first start), the documentation in share/doc/tavodex/, and what the
# desktop needs: menu entry, icons, the project file types, AppStream
# metainfo and the shell completion. CPack makes the Debian package of it.

include(GNUInstallDirs)

set(TAVO_APP_ID org.tavodex.TavoDex)
set(TAVO_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/tavodex)
set(TAVO_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/doc/tavodex)
set(_packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS tavodex tavodex-cli tavodex-terminal RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${TAVO_DATA_INSTALL_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${TAVO_DOC_INSTALL_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${TAVO_DOC_INSTALL_DIR})

install(FILES ${_packaging}/${TAVO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_packaging}/${TAVO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_packaging}/${TAVO_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${TAVO_APP_ID}.xml)
install(FILES ${_packaging}/icons/${TAVO_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(_size 16 24 32 48 64 128 256)
  install(FILES ${_packaging}/icons/${TAVO_APP_ID}-${_size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
          RENAME ${TAVO_APP_ID}.png)
endforeach()
install(FILES ${_packaging}/tavodex-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tavodex-cli)

# The Debian package: tavodex_<version>_amd64.deb. The dependencies on the
# libraries the programs link are found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavodex)
set(CPACK_PACKAGE_VENDOR "Tavo Dex")
set(CPACK_PACKAGE_CONTACT "Tavo Dex <tavodex@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the screens of industrial operator terminals")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavo Dex builds the screens of industrial operator terminals (panels with a\n"
    "display and keys, coupled to a PLC) and puts the project on the terminal over a\n"
    "serial line. tavodex-cli does the same for scripts and CI.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The editor cannot open a window without a platform plugin, which the Qt
# GUI library only recommends.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion")
set(CPACK_STRIP_FILES ON)
include(CPack)
