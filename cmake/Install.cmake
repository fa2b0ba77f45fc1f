# The installed layout and the Debian package. `cmake --install build --prefix P`
# puts the program under P as the file-system hierarchy wants it; the program
# finds its data from where its executable lies (editor/ProgramPaths.cpp,
# which takes the two folders below from here).
#   P/bin/kora-editor, P/bin/kora-cli
#   P/lib/kora-editor/agblz                      the packer
#   P/share/kora-editor/Data, .../Image          name lists and pictures
#   P/share/applications, metainfo, icons/hicolor, man/man1
# The working files go to the user's cache; nothing is written under P.

set(KORA_APP_ID org.koraeditor.KoraEditor)
set(KORA_HOMEPAGE https://kora-editor.org)
# No licence has been chosen for the program yet.
set(KORA_LICENSE LicenseRef-proprietary)
set(KORA_RELEASE_DATE 2026-12-08)

install(TARGETS kora-editor kora-cli RUNTIME DESTINATION bin)
install(TARGETS agblz RUNTIME DESTINATION ${KORA_INSTALL_PACKERDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/Data ${PROJECT_SOURCE_DIR}/assets/Image
  DESTINATION ${KORA_INSTALL_DATADIR})

set(linux ${PROJECT_SOURCE_DIR}/assets/linux)
configure_file(${linux}/${KORA_APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/linux/${KORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${linux}/${KORA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/linux/${KORA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/icons/hicolor DESTINATION share/icons)
install(FILES ${linux}/kora-editor.1 ${linux}/kora-cli.1 DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kora-editor)
set(CPACK_PACKAGE_VENDOR "The Kora Editor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "edit the characters, classes and items of an NDS ROM")
set(CPACK_PACKAGE_DESCRIPTION
  "Kora Editor opens an NDS ROM image, shows the numbers of the game's characters, classes and items on three tabbed pages, and writes the changed numbers back into the ROM. kora-cli exports and imports the same records as CSV or JSON.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Kora Editor developers <developers@kora-editor.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KORA_HOMEPAGE})
# The shared libraries' packages are read from the executables; the fonts the
# skin's faces map to are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-liberation2 | fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info")
include(CPack)
