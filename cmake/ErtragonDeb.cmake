# The Debian package (make package): everything installed, in one ertragon_<version>_<arch>.deb,
# its library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ertragon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Ertragon authors")
set(CPACK_PACKAGE_CONTACT "The Ertragon authors <${ERTRAGON_MAINTAINER_MAIL}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Inkora and Orvel are loaded by path; their shlibs file, and the ldconfig trigger below.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# What no ELF file names: the German dictionary, the SVG icon's image plugin, Qt's
# platform plugins, Qt's German texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "hunspell-de-de | hunspell-dictionary, libqt6svg6, qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql")
# The summary is the project's DESCRIPTION; CPack indents the lines below it.
set(CPACK_PACKAGE_DESCRIPTION "Ertragon shows how revenue and contribution margin of a chain of retail
stores develop month by month, from a KORDEX store on SQLite or PostgreSQL:
two chart panels, a value table and a breakdown by organisational unit on a
print preview, printing and export to PDF, PNG and CSV.

The package also holds the batch report tool ertragon-report, the store tool
kordexdb, the control test container ctlhost, and the control libraries
Inkora and Orvel with their CMake and pkg-config packages and their Qt
Designer plugin.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/data/triggers)
include(CPack)
