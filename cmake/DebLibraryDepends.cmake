# Included by cpack (CPACK_PROJECT_CONFIG_FILE) after the build: the Depends of each
# control library's package, from dpkg-shlibdeps on the built library. CPack's own
# shlibdeps would also write postinst and postrm scripts calling ldconfig, which the
# packages' trigger already does.
# ERTRAGON_DEB_LIBRARIES: COMPONENT=LIBRARY-FILE...
find_program(ertragon_shlibdeps dpkg-shlibdeps REQUIRED)
set(ertragon_shlibdeps_dir "${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/shlibdeps")
file(MAKE_DIRECTORY "${ertragon_shlibdeps_dir}/debian")
file(WRITE "${ertragon_shlibdeps_dir}/debian/control" "")
foreach(entry IN LISTS ERTRAGON_DEB_LIBRARIES)
  string(REGEX MATCH "^([A-Z]+)=(.*)$" entry "${entry}")
  set(COMPONENT ${CMAKE_MATCH_1})
  set(library ${CMAKE_MATCH_2})
  execute_process(COMMAND dpkg-shlibdeps --ignore-missing-info -O "${library}"
    WORKING_DIRECTORY "${ertragon_shlibdeps_dir}"
    OUTPUT_VARIABLE depends ERROR_VARIABLE problems RESULT_VARIABLE status
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0 OR NOT depends MATCHES "^shlibs:Depends=(.+)$")
    message(FATAL_ERROR "dpkg-shlibdeps ${library} failed (${status}): ${problems}")
  endif()
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
endforeach()
