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
