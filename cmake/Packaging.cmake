# SPDX-License-Identifier: GPL-2.0-or-later
# A Debian package, lumarin_1.1.6_amd64.deb, built by `cpack -G DEB`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumarin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lumarin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Small picture viewer for BMP, ICO, WMF, EMF, JPEG and GIF")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumarin shows one picture at a time, at its own size with scroll bars or\n stretched to fit the window, and steps through the pictures of a folder.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lumarin developers <dev@lumarin.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# Library dependencies (Qt, libjpeg) are read off the binaries;
# Qt's X11 platform plugin is loaded at run time and so named here, as is
# Symbola, the face the metafile helper draws symbol fonts' characters in
# (Symbol's Greek letters and signs, the Wingdings and Webdings pictures).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-symbola")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
