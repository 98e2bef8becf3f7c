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
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;ASAN_OPTIONS=detect_leaks=0;ERTRAGON_CONTROL_REGISTRY=${CMAKE_CURRENT_BINARY_DIR}/${name}-controls.json"
    TIMEOUT 600)
endfunction()

# The project version for every program's --version and the about box.
add_library(ertragon_version INTERFACE)
add_library(Ertragon::Version ALIAS ertragon_version)
target_compile_definitions(ertragon_version INTERFACE ERTRAGON_VERSION="${PROJECT_VERSION}")

# ertragon_program(TARGET): one of the four installed programs. It is built into bin/ of the
# build tree, beside lib/ with the control libraries, so that the build tree, a staging
# tree and /usr have the same layout and the program finds Orvel the same way in each.
function(ertragon_program target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${CMAKE_INSTALL_BINDIR})
  target_link_libraries(${target} PRIVATE Ertragon::Version)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
endfunction()

# ertragon_control_library(TARGET): Inkora or Orvel. A versioned SONAME (libOrvel.so.1),
# built into lib/ of the build tree beside bin/ as it is installed, and installed with the
# export set TARGETTargets for its CMake package.
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
  install(TARGETS ${target} EXPORT ${target}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT libraries
      NAMELINK_COMPONENT development)
endfunction()
