# Runs one ctlhost script and compares its standard output with the expected file.
# -DCTLHOST=... -DSCRIPT=... -DEXPECTED=... -DREGISTRY=...
file(REMOVE "${REGISTRY}")
execute_process(COMMAND "${CTLHOST}" --script "${SCRIPT}"
                OUTPUT_VARIABLE output RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "ctlhost failed with ${result}:\n${output}")
endif()
file(READ "${EXPECTED}" expected)
if(NOT output STREQUAL expected)
  file(WRITE "${SCRIPT}.actual" "${output}")
  message(FATAL_ERROR "output differs from ${EXPECTED}:\n--- actual ---\n${output}\n--- expected ---\n${expected}")
endif()
