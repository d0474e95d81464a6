# Launching, session and sound/player functions of klsupport.

# Helper programs started by the tests; they live beside the test executables.
foreach(helper launch_target player_stub)
  add_executable(${helper} WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/helpers/${helper}.cpp)
  set_target_properties(${helper} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KL_TEST_DIR})
endforeach()

kl_add_test(funcs_launch_test funcs_launch_test.cpp DEPENDS klsupport launch_target)
target_link_libraries(funcs_launch_test PRIVATE kl_ui)
target_link_libraries(funcs_launch_test PRIVATE ole32 uuid)

# A library whose DllMain faults, loaded by a function under test.
add_library(fault_on_load SHARED helpers/fault_on_load.cpp)
set_target_properties(fault_on_load PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${KL_TEST_DIR})

kl_add_test(funcs_session_test funcs_session_test.cpp function_faults_test.cpp DEPENDS klsupport fault_on_load)

kl_add_test(funcs_player_test funcs_player_test.cpp DEPENDS klsupport player_stub)

# Linked with the library's core: these pieces are not exported.
kl_add_test(funcs_units_test funcs_units_test.cpp)
target_link_libraries(funcs_units_test PRIVATE klsupport_core)
