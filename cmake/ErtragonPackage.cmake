# What other programs build against: CMake packages (find_package(Inkora), Orvel, Kordex)
# with version files and imported targets, and pkg-config files.
include(CMakePackageConfigHelpers)

set(ertragon_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake)
set(ertragon_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH ertragon_pc_prefix_from_pcdir
  ${CMAKE_INSTALL_PREFIX}/${ertragon_pc_dir} ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" ertragon_pc_prefix_from_pcdir "${ertragon_pc_prefix_from_pcdir}")

# The host side both control packages bring along.
install(EXPORT ErtragonComctlTargets NAMESPACE Ertragon::
  DESTINATION ${ertragon_cmake_dir}/ErtragonComctl COMPONENT development)
set(ertragon_with_comctl [=[
if(NOT TARGET Ertragon::comctl)
  include("${CMAKE_CURRENT_LIST_DIR}/../ErtragonComctl/ErtragonComctlTargets.cmake")
endif()]=])

# ertragon_package(NAME SUMMARY QT_COMPONENTS EXTRA PC_REQUIRES PC_LIBS [PC_REQUIRES_PRIVATE])
function(ertragon_package ertragon_package ertragon_package_summary ertragon_package_qt
         ertragon_package_extra ertragon_pc_requires ertragon_pc_libs)
  set(ertragon_pc_requires_private "${ARGN}")
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
  configure_file(${PROJECT_SOURCE_DIR}/cmake/Package.pc.in
    ${PROJECT_BINARY_DIR}/packages/${pc_name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packages/${pc_name}.pc
    DESTINATION ${ertragon_pc_dir} COMPONENT development)
endfunction()

ertragon_package(Orvel "the Tallix numeric masked edit control (ProgID Zifra.Tallix.1)"
  "Core Gui Widgets" "${ertragon_with_comctl}" "Qt6Widgets" "-lOrvel")
ertragon_package(Inkora "the Edit control, type library Inkolib (ProgID Inkolib.Edit)"
  "Core Gui Widgets" "${ertragon_with_comctl}" "Qt6Widgets" "-lInkora")
# The store's static library brings SQLite, libpq and OpenSSL's libcrypto along.
set(ertragon_with_store_libraries [=[
find_dependency(PkgConfig)
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
pkg_check_modules(LIBPQ REQUIRED IMPORTED_TARGET libpq)
pkg_check_modules(LIBCRYPTO REQUIRED IMPORTED_TARGET libcrypto)]=])
ertragon_package(Kordex "the KORDEX client interface and the store service over SQLite or PostgreSQL"
  "Core" "${ertragon_with_store_libraries}" "Qt6Core" "-lkordexdb -lkordexclient"
  "sqlite3 libpq libcrypto")
