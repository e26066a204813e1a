# SPDX-License-Identifier: MIT
# The Debian package, made by `cpack -G DEB` (scripts/package): urdiva_<version>_<arch>.deb with
# the libraries' packages found by dpkg-shlibdeps, and what the window needs besides them: Qt's
# platform plugins and Portuguese texts, and the fonts it draws with.
set(CPACK_PACKAGE_NAME urdiva)
set(CPACK_PACKAGE_VENDOR "The Urdiva developers")
set(CPACK_PACKAGE_CONTACT "The Urdiva developers <urdiva@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns a delimited data file into a Pajek network")
# One string: several would be joined with ";" into the text.
set(CPACK_PACKAGE_DESCRIPTION "Urdiva turns a plain delimited data file (one record per line) into a
network file in the Pajek .net format, in a window or on the command
line (urdiva-cli), and reports vertex names spelled almost alike.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-wine, fonts-liberation2, fonts-dejavu-core")
include(CPack)
