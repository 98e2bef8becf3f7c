# cmake -DBUILD=DIR -DSOURCE=DIR -DWORK=DIR -DFLAGS=FLAGS -P RunConsumer.cmake
# Installs the build into WORK/stage through DESTDIR, builds the consumer project against
# the staged packages with CMake and with pkg-config, and runs both builds.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
set(stage ${WORK}/stage)
set(ENV{DESTDIR} ${stage})
run("install" ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr)
unset(ENV{DESTDIR})

file(GLOB_RECURSE pc_files ${stage}/usr/*/orvel.pc)
list(LENGTH pc_files pc_count)
if(NOT pc_count EQUAL 1)
  message(FATAL_ERROR "no single orvel.pc in the staged tree: ${pc_files}")
endif()
get_filename_component(pc_dir ${pc_files} DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
run("pkg-config" pkg-config --modversion orvel inkora kordex)
if(NOT output MATCHES "^([0-9]+\\.[0-9]+\\.[0-9]+\n)([0-9.]+\n)([0-9.]+\n)$")
  message(FATAL_ERROR "pkg-config versions: ${output}")
endif()
run("pkg-config" pkg-config --variable=includedir orvel)
string(STRIP "${output}" includedir)
get_filename_component(includedir "${includedir}" REALPATH)
get_filename_component(staged_include "${stage}/usr/include" REALPATH)
if(NOT includedir STREQUAL staged_include OR NOT EXISTS ${includedir}/orvel/OrvelIds.h)
  message(FATAL_ERROR "pkg-config orvel: includedir ${includedir}")
endif()
run("pkg-config" pkg-config --libs orvel)
if(NOT output MATCHES "-lOrvel")
  message(FATAL_ERROR "pkg-config orvel: ${output}")
endif()

run("configure" ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -G Ninja
  -DCMAKE_PREFIX_PATH=${stage}/usr "-DCMAKE_CXX_FLAGS=${FLAGS}"
  "-DCMAKE_EXE_LINKER_FLAGS=${FLAGS}")
run("build" ${CMAKE_COMMAND} --build ${WORK}/build)
run("pkg-config build" bash ${SOURCE}/build-with-pkg-config.sh ${WORK}/pkg-config "${FLAGS}")

set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
run("store" ${stage}/usr/bin/kordexdb create ${WORK}/store.db)
# Each line the consumer must print: the libraries from the staged tree, the store opened
# through the KORDEX package, each control's Text read back, and the form's controls.
foreach(build IN ITEMS build pkg-config)
  set(ENV{ERTRAGON_CONTROL_REGISTRY} ${WORK}/${build}-controls.json)
  # the staged libraries are not where the dynamic linker looks
  set(ENV{LD_LIBRARY_PATH} ${pc_dir}/..)
  run("consumer" ${WORK}/${build}/consumer ${WORK}/store.db)
  message(STATUS "${build}: ${output}")
  foreach(expected IN ITEMS
      "Orvel: ${stage}/usr/lib[^\n]*/libOrvel\\.so"
      "Inkora: ${stage}/usr/lib[^\n]*/libInkora\\.so"
      "Kordex: open cn_iptcp:${WORK}/store\\.db\\[1972\\]:KORDEX"
      "Tallix: Zifra\\.Tallix\\.1 4711\n"
      "Edit: Inkolib\\.Edit Grüße\n"
      "Form: Tallix 815, Edit Müller\n")
    if(NOT output MATCHES "${expected}")
      message(FATAL_ERROR "the ${build} consumer's output lacks \"${expected}\":\n${output}")
    endif()
  endforeach()
endforeach()
