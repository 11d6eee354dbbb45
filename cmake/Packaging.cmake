# SPDX-FileCopyrightText: 2026 The Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installation and the Debian package.
#
# The program finds its cursor files in its own directory, so the executable and those files
# stay together in lib/quorvane; the quorvane command in bin is a symbolic link to it (the
# program resolves the link to learn its directory). A desktop entry and the icon in the hicolor
# theme put it in the desktop's menu, and its AppStream metadata in the software centres.
# quorvane-convert, which reads no files of its own, goes straight into bin.

set(QUORVANE_PROGRAM_DIR lib/quorvane)
set(QUORVANE_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/resources/packaging)
set(QUORVANE_PACKAGING_BINARY ${PROJECT_BINARY_DIR}/packaging)
set(QUORVANE_DOC_DIR share/doc/quorvane)

install(TARGETS quorvane RUNTIME DESTINATION ${QUORVANE_PROGRAM_DIR})
install(FILES ${QUORVANE_RUNTIME_FILES} DESTINATION ${QUORVANE_PROGRAM_DIR})
install(TARGETS quorvane-convert RUNTIME DESTINATION bin)

file(MAKE_DIRECTORY ${QUORVANE_PACKAGING_BINARY})
file(CREATE_LINK ../${QUORVANE_PROGRAM_DIR}/quorvane ${QUORVANE_PACKAGING_BINARY}/quorvane SYMBOLIC)
install(FILES ${QUORVANE_PACKAGING_BINARY}/quorvane DESTINATION bin)

install(FILES ${PROJECT_SOURCE_DIR}/resources/quorvane.desktop DESTINATION share/applications)
install(FILES ${QUORVANE_PACKAGING_SOURCE}/org.example.quorvane.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/quorvane-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quorvane.png)
endforeach()

# Debian wants the changelog and the manual pages compressed without a time stamp.
foreach(document changelog quorvane.1 quorvane-convert.1)
  add_custom_command(
    OUTPUT ${QUORVANE_PACKAGING_BINARY}/${document}.gz
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip
            ${QUORVANE_PACKAGING_SOURCE}/${document} ${QUORVANE_PACKAGING_BINARY}/${document}.gz
    DEPENDS ${QUORVANE_PACKAGING_SOURCE}/${document}
    VERBATIM)
endforeach()
add_custom_target(quorvane_documents ALL DEPENDS
  ${QUORVANE_PACKAGING_BINARY}/changelog.gz ${QUORVANE_PACKAGING_BINARY}/quorvane.1.gz
  ${QUORVANE_PACKAGING_BINARY}/quorvane-convert.1.gz)
install(FILES ${QUORVANE_PACKAGING_SOURCE}/copyright ${QUORVANE_PACKAGING_BINARY}/changelog.gz
        DESTINATION ${QUORVANE_DOC_DIR})
install(FILES ${QUORVANE_PACKAGING_BINARY}/quorvane.1.gz ${QUORVANE_PACKAGING_BINARY}/quorvane-convert.1.gz
        DESTINATION share/man/man1)
install(FILES ${QUORVANE_PACKAGING_SOURCE}/lintian-overrides DESTINATION share/lintian/overrides RENAME quorvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "The Quorvane developers")
set(CPACK_PACKAGE_CONTACT "Quorvane developers <quorvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converts many Word documents to HTML in one run")
set(CPACK_PACKAGE_DESCRIPTION
"Quorvane gathers Word documents in a list - chosen in a file dialog, found in
a folder tree by their extension, or dropped from the file manager - and saves
each as HTML beside itself, in normal or filtered form. LibreOffice's Writer
engine, running invisibly in the background, reads the documents and writes
the HTML. The command quorvane-convert does the same conversion for scripts
and servers, without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries it links (Qt 6 widgets, the UNO runtime, the C++ runtime) come from dpkg-shlibdeps;
# the office and the sandbox that confines it are started as programs, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libreoffice-writer-nogui, bubblewrap")
include(CPack)
