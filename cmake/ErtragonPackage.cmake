# What other programs build against: CMake packages (find_package(Inkora), Orvel, Kordex)
# with version files and imported targets that carry their usage requirements, and
# pkg-config files that link on their own (the static archives name what they need in
# Requires, not Requires.private).
include(CMakePackageConfigHelpers)

set(ertragon_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake)
set(ertragon_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH ertragon_pc_prefix_from_pcdir
  ${CMAKE_INSTALL_PREFIX}/${ertragon_pc_dir} ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" ertragon_pc_prefix_from_pcdir "${ertragon_pc_prefix_from_pcdir}")

# ertragon_pc_file(FILE SUMMARY REQUIRES LIBS [CFLAGS]): FILE.pc of the development files.
function(ertragon_pc_file pc_name pc_summary pc_requires pc_libs)
  set(pc_cflags "")
  if(ARGC GREATER 4)
    set(pc_cflags " ${ARGV4}")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/Package.pc.in
    ${PROJECT_BINARY_DIR}/packages/${pc_name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packages/${pc_name}.pc
    DESTINATION ${ertragon_pc_dir} COMPONENT development)
endfunction()

# The host side both control packages bring along: Ertragon::comctl (ControlLoader creates
# a control by ProgID), Ertragon::TextReplace, and Ertragon::ControlWidgets, the Edit and
# Tallix widgets that the code of a Designer form includes and creates.
install(EXPORT ErtragonComctlTargets NAMESPACE Ertragon::
  DESTINATION ${ertragon_cmake_dir}/ErtragonComctl COMPONENT development)
set(ertragon_with_comctl [=[
if(NOT TARGET Ertragon::comctl)
  include("${CMAKE_CURRENT_LIST_DIR}/../ErtragonComctl/ErtragonComctlTargets.cmake")
endif()]=])
set(ertragon_dl_flag "")
if(CMAKE_DL_LIBS)
  set(ertragon_dl_flag " -l${CMAKE_DL_LIBS}")
endif()
ertragon_pc_file(ertragon-comctl "the host side of the Ertragon controls (ControlLoader)"
  "Qt6Widgets" "-lertragoncomctl -lertragontextreplace${ertragon_dl_flag}")
if(ERTRAGON_DESIGNER)
  ertragon_pc_file(ertragon-controlwidgets
    "the Edit and Tallix widgets of Designer forms (Edit.h, Tallix.h)" "ertragon-comctl"
    "-lertragoncontrolwidgets" "-I\${includedir}/ErtragonControls")
endif()

# ertragon_package(NAME SUMMARY QT_COMPONENTS EXTRA PC_REQUIRES PC_LIBS)
function(ertragon_package ertragon_package ertragon_package_summary ertragon_package_qt
         ertragon_package_extra ertragon_pc_requires ertragon_pc_libs)
  install(EXPORT ${ertragon_package}Targets NAMESPACE ${ertragon_package}::
    DESTINATION ${ertragon_cmake_dir}/${ertragon_package} COMPONENT development)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/PackageConfig.cmake.in
    ${PROJECT_BINARY_DIR}/packages/${ertragon_package}Config.cmake
    INSTALL_DESTINATION ${ertragon_cmake_dir}/${ertragon_package})
  write_basic_package_version_file(
    ${PROJECT_BINARY_DIR}/packages/${ertragon_package}ConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/packages/${ertragon_package}Config.cmake
                ${PROJECT_BINARY_DIR}/packages/${ertragon_package}ConfigVersion.cmake
    DESTINATION ${ertragon_cmake_dir}/${ertragon_package} COMPONENT development)
  string(TOLOWER ${ertragon_package} pc_name)
  ertragon_pc_file(${pc_name} "${ertragon_package_summary}" "${ertragon_pc_requires}"
    "${ertragon_pc_libs}")
endfunction()

ertragon_package(Orvel "the Tallix numeric masked edit control (ProgID Zifra.Tallix.1)"
  "Core Gui Widgets" "${ertragon_with_comctl}" "ertragon-comctl" "-lOrvel")
ertragon_package(Inkora "the Edit control, type library Inkolib (ProgID Inkolib.Edit)"
  "Core Gui Widgets" "${ertragon_with_comctl}" "ertragon-comctl" "-lInkora")
# The store's static library brings SQLite, libpq and OpenSSL's libcrypto along.
set(ertragon_with_store_libraries [=[
find_dependency(PkgConfig)
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
pkg_check_modules(LIBPQ REQUIRED IMPORTED_TARGET libpq)
pkg_check_modules(LIBCRYPTO REQUIRED IMPORTED_TARGET libcrypto)]=])
ertragon_package(Kordex "the KORDEX client interface and the store service over SQLite or PostgreSQL"
  "Core" "${ertragon_with_store_libraries}" "Qt6Core sqlite3 libpq libcrypto"
  "-lkordexdb -lkordexclient")
