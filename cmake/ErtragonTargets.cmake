# Settings every target of our own gets: strict warnings as errors.
# The fuzz build (clang) shows its warnings without stopping: the gcc builds hold
# the line, and clang's own findings in code it only visits need not block fuzzing.
function(ertragon_defaults target)
  if(ERTRAGON_FUZZ)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
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
