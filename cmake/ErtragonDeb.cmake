# The Debian packages (make package), split as Debian splits a Qt library: ertragon (the
# programs and their data), libinkora1 and liborvel1 (each library with its system
# registry entry), ertragon-dev (headers, .so links, static archives, CMake and
# pkg-config files), ertragon-designer-plugin and ertragon-tools (ctlhost, which links
# Qt Test). Library dependencies are found by dpkg-shlibdeps; the libraries' own through
# cmake/DebLibraryDepends.cmake, so that CPack adds no ldconfig calls beside the trigger.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${ERTRAGON_COMPONENTS})
if(NOT ERTRAGON_DESIGNER)
  list(REMOVE_ITEM CPACK_COMPONENTS_ALL designer)
endif()
set(CPACK_PACKAGE_NAME ertragon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Ertragon authors")
set(CPACK_PACKAGE_CONTACT "The Ertragon authors <${ERTRAGON_MAINTAINER_MAIL}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE ertragon)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(ertragon_exact "(= ${PROJECT_VERSION})")
# Each package's own summary opens its description: CPack prepends a summary other than
# its default one to every package's.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")

foreach(component IN LISTS ERTRAGON_COMPONENTS)
  string(TOUPPER ${component} COMPONENT)
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME ${ERTRAGON_PACKAGE_${component}})
endforeach()

# ertragon_deb_description(COMPONENT SECTION SUMMARY TEXT): the control fields; CPack
# indents the lines of TEXT below the summary.
function(ertragon_deb_description COMPONENT section summary text)
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_SECTION ${section} PARENT_SCOPE)
  set(CPACK_DEBIAN_${COMPONENT}_DESCRIPTION "${summary}\n${text}" PARENT_SCOPE)
endfunction()

ertragon_deb_description(PROGRAMS misc "${PROJECT_DESCRIPTION}"
"Ertragon shows how revenue and contribution margin of a chain of retail
stores develop month by month, from a KORDEX store on SQLite or PostgreSQL:
two chart panels, a value table and a breakdown by organisational unit on a
print preview, printing and export to PDF, PNG and CSV.

The package also holds the batch report tool ertragon-report, with examples
of a report book scheduled by systemd, the store tool kordexdb, and a
commented sample of the login defaults for every user of a machine.")
# What no ELF file names: Orvel's month input (loaded by the program), the German
# dictionary, the SVG icon's image plugin, Qt's platform plugins, Qt's German texts.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS
  "${ERTRAGON_PACKAGE_orvel} ${ertragon_exact}, hunspell-de-de | hunspell-dictionary, libqt6svg6, qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SUGGESTS "postgresql, ${ERTRAGON_PACKAGE_tools}")
configure_file(${PROJECT_SOURCE_DIR}/data/conffiles.in ${PROJECT_BINARY_DIR}/deb/programs/conffiles
  @ONLY)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/deb/programs/conffiles)

ertragon_deb_description(INKORA libs "Edit control library of Ertragon (Inkora)"
"Inkora is the Edit control, type library Inkolib (ProgID Inkolib.Edit): input
kinds, limits, number formatting, umlaut conversion and spell checking with
Hunspell. Hosts create it by its ProgID through the control registry, in
which this package registers it for every user.")
set(CPACK_DEBIAN_INKORA_PACKAGE_RECOMMENDS "hunspell-de-de | hunspell-dictionary")
ertragon_deb_description(ORVEL libs "Tallix numeric masked edit control library (Orvel)"
"Orvel is the Tallix numeric masked edit control (ProgID Zifra.Tallix.1) with
locale formatting, validation, a drop-down calculator, spin buttons and
tooltips; Ertragon's month input is one. Hosts create it by its ProgID
through the control registry, in which this package registers it for every
user.")
ertragon_deb_description(DEVELOPMENT libdevel "development files of the Ertragon controls and store"
"Headers, static archives and the CMake and pkg-config packages Orvel, Inkora
and Kordex (with the host side ertragon-comctl and the widgets of Designer
forms, ertragon-controlwidgets) for programs that host the controls, compile
forms holding them with uic, or open a KORDEX store.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
  "${ERTRAGON_PACKAGE_inkora} ${ertragon_exact}, ${ERTRAGON_PACKAGE_orvel} ${ertragon_exact}, qt6-base-dev, libsqlite3-dev, libpq-dev, libssl-dev, pkg-config")
ertragon_deb_description(DESIGNER devel "Qt Designer plugin of the Ertragon controls"
"Shows the controls Edit (Inkora) and Tallix (Orvel) in Qt Designer's widget
box, group 'Ertragon Controls', with their properties under ASCII names.")
set(CPACK_DEBIAN_DESIGNER_PACKAGE_DEPENDS
  "${ERTRAGON_PACKAGE_inkora} ${ertragon_exact}, ${ERTRAGON_PACKAGE_orvel} ${ertragon_exact}")
set(CPACK_DEBIAN_DESIGNER_PACKAGE_ENHANCES "designer-qt6")
ertragon_deb_description(TOOLS devel "test container of the Ertragon controls (ctlhost)"
"ctlhost loads a control by its ProgID through the registry and the class
factory, shows it, sets and reads properties, invokes methods, types keys and
logs events, interactively or from a command script.")
set(CPACK_DEBIAN_TOOLS_PACKAGE_RECOMMENDS
  "${ERTRAGON_PACKAGE_inkora} ${ertragon_exact}, ${ERTRAGON_PACKAGE_orvel} ${ertragon_exact}")

# The libraries: their shlibs file and the ldconfig trigger, and their library
# dependencies computed at packaging time (dpkg-shlibdeps on the built files).
foreach(library IN ITEMS Inkora Orvel)
  string(TOLOWER ${library} component)
  string(TOUPPER ${library} COMPONENT)
  set(ERTRAGON_DEB_PACKAGE ${ERTRAGON_PACKAGE_${component}})
  set(ERTRAGON_DEB_LIBRARY ${library})
  configure_file(${PROJECT_SOURCE_DIR}/data/shlibs.in
    ${PROJECT_BINARY_DIR}/deb/${component}/shlibs @ONLY)
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_SHLIBDEPS OFF)
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_CONTROL_EXTRA
    ${PROJECT_BINARY_DIR}/deb/${component}/shlibs ${PROJECT_SOURCE_DIR}/data/triggers)
  list(APPEND ertragon_deb_libraries "${COMPONENT}=$<TARGET_FILE:${library}>")
endforeach()
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/deb/DebLibraryDepends.cmake
  CONTENT "set(ERTRAGON_DEB_LIBRARIES \"${ertragon_deb_libraries}\")
include(\"${PROJECT_SOURCE_DIR}/cmake/DebLibraryDepends.cmake\")\n")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/deb/DebLibraryDepends.cmake)
include(CPack)
