# cmake -P: the zip and the installer of one architecture (see setup/CMakeLists.txt).
# BIN_DIR (the deliverables), DATA_DIR (the data folder, shipped whole), PACKAGE_DIR,
# NAME, WIXL, ARCH.
set(stage ${PACKAGE_DIR}/${NAME})
file(REMOVE_RECURSE ${stage} "${PACKAGE_DIR}/unpacked copy")
file(MAKE_DIRECTORY ${stage} "${PACKAGE_DIR}/unpacked copy")
foreach(name keyloom.exe klsupport.dll klhook.dll)
  file(COPY ${BIN_DIR}/${name} DESTINATION ${stage})
endforeach()
file(GLOB data LIST_DIRECTORIES true ${DATA_DIR}/*)
file(COPY ${data} DESTINATION ${stage})
file(COPY ${PACKAGE_DIR}/readme.txt DESTINATION ${stage})

file(REMOVE ${PACKAGE_DIR}/${NAME}.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${NAME}.zip --format=zip ${NAME}
  WORKING_DIRECTORY ${PACKAGE_DIR} COMMAND_ERROR_IS_FATAL ANY)
# Unpacked again, as a user would: what the tests start.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ../${NAME}.zip
  WORKING_DIRECTORY "${PACKAGE_DIR}/unpacked copy" COMMAND_ERROR_IS_FATAL ANY)

if(WIXL)
  file(REMOVE ${PACKAGE_DIR}/${NAME}.msi)
  execute_process(COMMAND ${WIXL} -a ${ARCH} -o ${NAME}.msi keyloom.wxs
    WORKING_DIRECTORY ${PACKAGE_DIR} COMMAND_ERROR_IS_FATAL ANY)
  # wixl writes no feature conditions: the options' table is imported afterwards.
  get_filename_component(msibuild ${WIXL} DIRECTORY)
  execute_process(COMMAND ${msibuild}/msibuild ${NAME}.msi -i ${CMAKE_CURRENT_LIST_DIR}/Condition.idt
    WORKING_DIRECTORY ${PACKAGE_DIR} COMMAND_ERROR_IS_FATAL ANY)
endif()
file(REMOVE_RECURSE ${stage})
