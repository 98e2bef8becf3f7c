# cmake -DLIBRARY=FILE -DSONAME=NAME -P ExportedSymbols.cmake
# A control library's dynamic symbol table holds the four entry points and nothing else,
# and its SONAME carries the major version.
execute_process(COMMAND nm -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE table RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${table}")
set(exported)
foreach(line IN LISTS lines)
  # "ADDRESS TYPE NAME"; the linker's own markers of the sections' ends do not count
  string(REGEX REPLACE "^[0-9a-f]* *[A-Za-z] " "" name "${line}")
  if(NOT name MATCHES "^(_edata|_end|__bss_start)$")
    list(APPEND exported ${name})
  endif()
endforeach()
list(SORT exported)
set(expected DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer)
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports:\n${table}\nexpected only: ${expected}")
endif()

execute_process(COMMAND objdump -p ${LIBRARY} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT headers MATCHES "SONAME +${SONAME}\n")
  message(FATAL_ERROR "${LIBRARY}: SONAME is not ${SONAME}")
endif()
