# Settings every target of our own gets: strict warnings, as errors in developer
# builds (ERTRAGON_WERROR, which make test turns on). The fuzz build (clang) shows its
# warnings without stopping: the gcc builds hold the line.
function(ertragon_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(ERTRAGON_WERROR AND NOT ERTRAGON_FUZZ)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
endfunction()

# ertragon_add_test(NAME SOURCES src... LIBS lib...)
# A Qt Test executable run by CTest on the offscreen platform.
function(ertragon_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  ertragon_defaults(${name})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;ASAN_OPTIONS=detect_leaks=0;ERTRAGON_CONTROL_REGISTRY=${CMAKE_CURRENT_BINARY_DIR}/${name}-controls.json;ERTRAGON_SYSTEM_CONTROL_REGISTRY=${CMAKE_CURRENT_BINARY_DIR}/${name}-system-controls"
    TIMEOUT 600)
endfunction()

# The project version for every program's --version and the about box.
add_library(ertragon_version INTERFACE)
add_library(Ertragon::Version ALIAS ertragon_version)
target_compile_definitions(ertragon_version INTERFACE ERTRAGON_VERSION="${PROJECT_VERSION}")

# The Debian packages by install component (make package): the programs, each control
# library, the development files, the Designer plugin, the test tools.
set(ERTRAGON_PACKAGE_programs ertragon)
set(ERTRAGON_PACKAGE_inkora libinkora${PROJECT_VERSION_MAJOR})
set(ERTRAGON_PACKAGE_orvel liborvel${PROJECT_VERSION_MAJOR})
set(ERTRAGON_PACKAGE_development ertragon-dev)
set(ERTRAGON_PACKAGE_designer ertragon-designer-plugin)
set(ERTRAGON_PACKAGE_tools ertragon-tools)
set(ERTRAGON_COMPONENTS programs inkora orvel development designer tools)

# ertragon_program(TARGET [COMPONENT]): one of the four installed programs, in the component
# programs unless another is named. It is built into bin/ of the build tree, beside lib/
# with the control libraries, so that the build tree, a staging tree and /usr have the same
# layout and the program finds Orvel the same way in each.
function(ertragon_program target)
  set(component ${ARGV1})
  if(NOT component)
    set(component programs)
  endif()
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${CMAKE_INSTALL_BINDIR})
  target_link_libraries(${target} PRIVATE Ertragon::Version)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${component})
endfunction()

# The system control registry below the prefix: a file per control library.
set(ERTRAGON_SYSTEM_CONTROL_REGISTRY_DIR ${CMAKE_INSTALL_LIBDIR}/ertragon/controls)

# ertragon_control_library(TARGET): Inkora or Orvel. A versioned SONAME (libOrvel.so.1),
# built into lib/ of the build tree beside bin/ as it is installed, and installed with the
# export set TARGETTargets for its CMake package, as the component of its Debian package
# (lowercase name), with its entry of the system control registry.
function(ertragon_control_library target)
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${CMAKE_INSTALL_LIBDIR}
    LINK_DEPENDS ${PROJECT_SOURCE_DIR}/comctl/ControlLibrary.map)
  # Beside -fvisibility=hidden: the template instances of Qt's exported classes would be
  # exported too.
  target_link_options(${target} PRIVATE
    -Wl,--version-script=${PROJECT_SOURCE_DIR}/comctl/ControlLibrary.map)
  string(TOLOWER ${target} component)
  install(TARGETS ${target} EXPORT ${target}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${component}
      NAMELINK_COMPONENT development)
  # The library registers itself into its system registry file, naming its installed path;
  # the file is named after the SONAME, so that two major versions can be installed.
  set(entry ${PROJECT_BINARY_DIR}/registry/lib${target}.so.${PROJECT_VERSION_MAJOR}.json)
  add_custom_command(OUTPUT ${entry}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
      $<TARGET_FILE:control_registration> $<TARGET_FILE:${target}>
      ${CMAKE_INSTALL_FULL_LIBDIR}/$<TARGET_SONAME_FILE_NAME:${target}> ${entry}
    DEPENDS ${target} control_registration VERBATIM)
  add_custom_target(${target}_registry_entry ALL DEPENDS ${entry})
  install(FILES ${entry} DESTINATION ${ERTRAGON_SYSTEM_CONTROL_REGISTRY_DIR}
    COMPONENT ${component})
endfunction()
