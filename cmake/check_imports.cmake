# Fails the build when FILE imports one of the DLLs named in NOT_IMPORTED at load time
# (a delay-loaded DLL is not in its import table).
#   cmake -DOBJDUMP=<objdump> -DFILE=<exe or dll> -DNOT_IMPORTED=<a.dll;b.dll> -P check_imports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${FILE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot read the imports of ${FILE}")
endif()
string(TOLOWER "${dump}" dump)
foreach(dll IN LISTS NOT_IMPORTED)
  string(TOLOWER "${dll}" dll)
  if(dump MATCHES "dll name: ${dll}")
    message(FATAL_ERROR "${FILE} imports ${dll} at load time: a function of it is missing from the "
                        "delay-import list in main/CMakeLists.txt")
  endif()
endforeach()
