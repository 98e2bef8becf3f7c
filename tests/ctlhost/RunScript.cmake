# Runs one ctlhost script and compares its standard output with the expected file.
# -DCTLHOST=... -DSCRIPT=... -DEXPECTED=... -DREGISTRY=...
file(REMOVE "${REGISTRY}")
execute_process(COMMAND "${CTLHOST}" --script "${SCRIPT}"
                OUTPUT_VARIABLE output RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "ctlhost failed with ${result}:\n${output}")
endif()
# Paths of the checkout vary; expected files name the test data folder ${CTLHOST_DATA}.
if(DEFINED ENV{CTLHOST_DATA})
  string(REPLACE "$ENV{CTLHOST_DATA}" "\${CTLHOST_DATA}" output "${output}")
endif()
file(READ "${EXPECTED}" expected)
if(NOT output STREQUAL expected)
  # Next to the registry, in the build tree, for a diff against the expected file.
  get_filename_component(name "${SCRIPT}" NAME)
  get_filename_component(work "${REGISTRY}" DIRECTORY)
  file(WRITE "${work}/${name}.actual" "${output}")
  message(FATAL_ERROR "output differs from ${EXPECTED}:\n--- actual ---\n${output}\n--- expected ---\n${expected}")
endif()
